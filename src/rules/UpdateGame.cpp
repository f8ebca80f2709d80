#include "rules/UpdateGame.h"

#include <algorithm>

#include "level/Level.h"
#include "rules/HitTest.h"
#include "state/GameState.h"

namespace {

constexpr float kBulletRange = 300.0f;

}  // namespace

void UpdateGame(float dt) {
    if (g_level) UpdateLevel(*g_level, g_bullets, dt);
}

void UpdateLevel(Level& level, std::vector<Bullet>& bullets, float dt) {
    if (level.lost || level.won) return;

    // A lost level set by a hit does not stop this update: every bullet is still tested.
    for (Bullet& bullet : bullets) {
        bullet.Advance(dt);
        Vec3 travelled;
        Subtract(&travelled, bullet.position, bullet.origin);
        if (Length(travelled) <= kBulletRange)
            HitTest(bullet);
        else
            bullet.expired = true;
    }

    std::erase_if(bullets, [](const Bullet& b) { return b.expired; });
    const size_t removed = level.objects.EraseRemoved();
    level.objectCount = static_cast<int32_t>(static_cast<uint32_t>(level.objectCount) - static_cast<uint32_t>(removed));

    level.AdvanceTrain(dt);
}

#include "rules/Firing.h"

#include "audio/SoundSystem.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"

namespace {

constexpr float kBulletHeight = 3.0f;
constexpr float kBulletSpeed = 30.0f;

}  // namespace

bool MouseMayAct() {
    if (g_level && (g_level->lost || g_level->won)) return false;
    return !g_paused && !g_showTitleMenu && !g_showIntroduction;
}

void FireBullet(const Vec3& hitPoint) {
    if (!g_level) return;
    FireBulletIn(*g_level, g_bullets, hitPoint, g_catalogue, g_soundSystem);
}

void FireBulletIn(Level& level, std::vector<Bullet>& bullets, const Vec3& hitPoint, ResourceCatalogue* catalogue,
                  SoundSystem* soundSystem) {
    const Vec3 start(TileCentre(level.trainX), TileCentre(level.trainY), kBulletHeight);
    Vec3 direction;
    Vec3Normalize(&direction, hitPoint - start);
    bullets.push_back(Bullet(start, direction, kBulletSpeed, &level, catalogue, soundSystem));
    if (!catalogue) return;
    CSound* steam = catalogue->FindSound("steam");
    if (soundSystem) soundSystem->Play(steam);
}

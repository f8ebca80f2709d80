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
    const Vec3 start(TileCentre(g_level->trainX), TileCentre(g_level->trainY), kBulletHeight);
    Vec3 direction;
    Vec3Normalize(&direction, hitPoint - start);
    g_bullets.push_back(Bullet(start, direction, kBulletSpeed, g_level.get(), g_catalogue, g_soundSystem));
    if (!g_catalogue) return;
    CSound* steam = g_catalogue->FindSound("steam");
    if (g_soundSystem) g_soundSystem->Play(steam);
}

#include "rules/HitTest.h"

#include <string>

#include "audio/SoundSystem.h"
#include "level/Level.h"
#include "level/Tiles.h"
#include "resources/ResourceCatalogue.h"
#include "state/Bullet.h"

namespace {

struct Sphere {
    Vec3 centre;
    float radius;
};

// A model's bounding sphere moved to `at`. Without a catalogue every sphere is a point, the same
// as a model the catalogue never loaded.
Sphere ModelSphere(ResourceCatalogue* catalogue, const char* model, const Vec3& at) {
    if (!catalogue) return {at, 0.0f};
    const Model& m = catalogue->FindModel(model);
    return {at + m.boundCentre, m.boundRadius};
}

void PlaySound(const Bullet& bullet, const char* name) {
    if (!bullet.catalogue) return;
    CSound* sound = bullet.catalogue->FindSound(name);
    if (bullet.soundSystem) bullet.soundSystem->Play(sound);
}

// What a target does when hit; the names are tested in this order.
enum class Effect { LayRight, LayLeft, LayStraight, Score50, Score100, Faster, Shield };

struct Target {
    const char* name;
    Effect effect;
    const char* sound;
};

constexpr Target kTargets[] = {
    {"rturn", Effect::LayRight, "rail"},  {"lturn", Effect::LayLeft, "rail"},
    {"rrecht", Effect::LayStraight, "rail"}, {"50pts", Effect::Score50, "coins"},
    {"100pts", Effect::Score100, "coins"}, {"speed", Effect::Faster, "toot"},
    {"block", Effect::Shield, "explode"},
};

// Score arithmetic wraps rather than overflowing on absurd numbers of hits.
void AddScore(Level& level, uint32_t points) {
    level.score = static_cast<int32_t>(static_cast<uint32_t>(level.score) + points);
}

void Apply(Level& level, Effect effect) {
    switch (effect) {
        case Effect::LayRight:
            if (level.LayRail('r') != 0) level.lost = true;
            break;
        case Effect::LayLeft:
            if (level.LayRail('l') != 0) level.lost = true;
            break;
        case Effect::LayStraight:
            if (level.LayRail('s') != 0) level.lost = true;
            break;
        case Effect::Score50: AddScore(level, 50); break;
        case Effect::Score100: AddScore(level, 100); break;
        case Effect::Faster:
            // Too many hits would stop the clock; the train falls back to one tile a second.
            level.speed -= 1.0f;
            if (level.speed <= 0.0f) level.speed = 1.0f;
            break;
        case Effect::Shield: break;
    }
}

}  // namespace

int SpheresOverlap(const Vec3& centreA, float radiusA, const Vec3& centreB, float radiusB) {
    const Vec3 d = centreA - centreB;
    const float reach = radiusA + radiusB;
    return Dot(d, d) <= reach * reach ? 1 : 0;
}

void HitTest(Bullet& bullet) {
    if (!bullet.level) return;
    Level& level = *bullet.level;
    const Sphere shot = ModelSphere(bullet.catalogue, "bullet", bullet.position);

    // The size is read again on every pass: pieces laid by a hit are tested in the same call.
    // Objects are addressed by index because laying track may move the array.
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const std::string name = level.objects[i].name;
        const Vec3 tile(TileCentre(level.objects[i].x), TileCentre(level.objects[i].y), 0.0f);

        const Target* target = nullptr;
        for (const Target& t : kTargets)
            if (name == t.name) target = &t;

        if (target) {
            const Sphere body = ModelSphere(bullet.catalogue, target->name, tile);
            if (!SpheresOverlap(body.centre, body.radius, shot.centre, shot.radius)) continue;
            if (target->effect != Effect::Shield) level.objects[i].removed = true;
            bullet.expired = true;
            PlaySound(bullet, target->sound);
            Apply(level, target->effect);
        } else if (name == "blocked") {
            // The ring round a station stops shots silently, with the straight piece's sphere.
            const Sphere body = ModelSphere(bullet.catalogue, "rrecht", tile);
            if (SpheresOverlap(body.centre, body.radius, shot.centre, shot.radius)) bullet.expired = true;
        }
    }
}

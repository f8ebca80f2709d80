#include "rules/HitTest.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
    ObjectName::Known id;
    const char* name;
    Effect effect;
    const char* sound;
};

constexpr Target kTargets[] = {
    {ObjectName::kRTurn, "rturn", Effect::LayRight, "rail"},   {ObjectName::kLTurn, "lturn", Effect::LayLeft, "rail"},
    {ObjectName::kRRecht, "rrecht", Effect::LayStraight, "rail"}, {ObjectName::k50Pts, "50pts", Effect::Score50, "coins"},
    {ObjectName::k100Pts, "100pts", Effect::Score100, "coins"}, {ObjectName::kSpeed, "speed", Effect::Faster, "toot"},
    {ObjectName::kBlock, "block", Effect::Shield, "explode"},
};

const Target* TargetNamed(ObjectName name) {
    for (const Target& t : kTargets)
        if (name == t.id) return &t;
    return nullptr;
}

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

namespace {

// Tests the bullet against object i and applies a hit. The object's name and tile are copied
// before anything changes, as laying track may move the list.
void TestObject(Bullet& bullet, Level& level, size_t i, const Sphere& shot) {
    const ObjectName name = level.objects[i].name;
    const Vec3 tile(TileCentre(level.objects[i].x), TileCentre(level.objects[i].y), 0.0f);

    if (const Target* target = TargetNamed(name)) {
        const Sphere body = ModelSphere(bullet.catalogue, target->name, tile);
        if (!SpheresOverlap(body.centre, body.radius, shot.centre, shot.radius)) return;
        if (target->effect != Effect::Shield) level.objects.MarkRemoved(i);
        bullet.expired = true;
        PlaySound(bullet, target->sound);
        Apply(level, target->effect);
    } else if (name == ObjectName::kBlocked) {
        // The ring round a station stops shots silently, with the straight piece's sphere.
        const Sphere body = ModelSphere(bullet.catalogue, "rrecht", tile);
        if (SpheresOverlap(body.centre, body.radius, shot.centre, shot.radius)) bullet.expired = true;
    }
}

// The sphere of a model as the hit test sees it, looked up without adding to the catalogue.
Sphere PeekSphere(const ResourceCatalogue* catalogue, const char* model) {
    if (!catalogue) return {Vec3(0.0f, 0.0f, 0.0f), 0.0f};
    const auto found = catalogue->models.find(model);
    if (found == catalogue->models.end()) return {Vec3(0.0f, 0.0f, 0.0f), 0.0f};
    return {found->second.boundCentre, found->second.boundRadius};
}

struct TileRect {
    int64_t x0, y0, x1, y1;
    int64_t Tiles() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
};

// Beyond these the float arithmetic of the exact test is too coarse for a margin of one tile to
// be safe; such shots are tested against the whole list.
constexpr double kMaxCoordinate = 1.0e6;
constexpr double kMaxReach = 1.0e5;

// The tiles whose objects the shot can reach, with a margin of one tile for rounding; false when
// the shot lies too far out (or is not a number) for a bounded answer.
bool ReachableTiles(const ResourceCatalogue* catalogue, const Sphere& shot, TileRect* rect) {
    bool any = false;
    for (const char* model : {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed", "block"}) {
        const Sphere body = PeekSphere(catalogue, model);
        // A tile centre T is hit when |T + body.centre - shot.centre| <= body.radius + shot.radius.
        const double reach = static_cast<double>(body.radius) + shot.radius;
        const double px = static_cast<double>(shot.centre.x) - body.centre.x;
        const double py = static_cast<double>(shot.centre.y) - body.centre.y;
        if (!(std::fabs(px) <= kMaxCoordinate && std::fabs(py) <= kMaxCoordinate && std::fabs(reach) <= kMaxReach))
            return false;
        const auto tileOf = [](double world) { return static_cast<int64_t>(std::floor((world - 5.0) / 10.0)); };
        const TileRect r{tileOf(px - reach) - 1, tileOf(py - reach) - 1, tileOf(px + reach) + 2, tileOf(py + reach) + 2};
        *rect = any ? TileRect{std::min(rect->x0, r.x0), std::min(rect->y0, r.y0), std::max(rect->x1, r.x1),
                               std::max(rect->y1, r.y1)}
                    : r;
        any = true;
    }
    return true;
}

}  // namespace

void HitTestByScan(Bullet& bullet) {
    if (!bullet.level) return;
    Level& level = *bullet.level;
    const Sphere shot = ModelSphere(bullet.catalogue, "bullet", bullet.position);
    // The size is read again on every pass: pieces laid by a hit are tested in the same call.
    for (size_t i = 0; i < level.objects.size(); ++i) TestObject(bullet, level, i, shot);
}

void HitTest(Bullet& bullet) {
    if (!bullet.level) return;
    Level& level = *bullet.level;
    TileRect rect;
    const Sphere shot = ModelSphere(bullet.catalogue, "bullet", bullet.position);
    if (level.scanObjects || !ReachableTiles(bullet.catalogue, shot, &rect) ||
        rect.Tiles() > static_cast<int64_t>(level.objects.size())) {
        HitTestByScan(bullet);
        return;
    }
    // The objects that can be hit, in list order, so effects apply in the order a walk of the
    // whole list gives. The buffer is reused from call to call.
    static thread_local std::vector<size_t> near;
    near.clear();
    for (int64_t y = rect.y0; y <= rect.y1; ++y)
        for (int64_t x = rect.x0; x <= rect.x1; ++x)
            level.objects.ForEachOnTile(static_cast<int32_t>(x), static_cast<int32_t>(y),
                                        [&](size_t i) { near.push_back(i); });
    std::sort(near.begin(), near.end());
    const size_t before = level.objects.size();
    for (size_t i : near) TestObject(bullet, level, i, shot);
    // Pieces laid by these hits join the end of the list; the walk of the whole list would meet
    // them too (they are track, which no shot hits, but they are visited all the same).
    for (size_t i = before; i < level.objects.size(); ++i) TestObject(bullet, level, i, shot);
}

#include "authoring/PlayState.h"

#include <bit>
#include <functional>
#include <string>

namespace {

// FNV-1a style mixing of 64-bit words.
class Hasher {
public:
    void Add(uint64_t value) {
        hash_ ^= value;
        hash_ *= 0x100000001b3ull;
        hash_ ^= hash_ >> 29;
    }
    void Add(float value) { Add(static_cast<uint64_t>(std::bit_cast<uint32_t>(value))); }
    void Add(const Vec3& v) {
        Add(v.x);
        Add(v.y);
        Add(v.z);
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 0xcbf29ce484222325ull;
};

uint64_t Pack(int32_t a, int32_t b) { return (static_cast<uint64_t>(static_cast<uint32_t>(a)) << 32) | static_cast<uint32_t>(b); }

}  // namespace

PlayState CapturePlay(const Level& level, const std::vector<Bullet>& bullets) {
    PlayState s;
    s.objects = level.objects;
    s.objectCount = level.objectCount;
    s.trainX = level.trainX;
    s.trainY = level.trainY;
    s.trainHeading = level.trainHeading;
    s.trackEndX = level.trackEndX;
    s.trackEndY = level.trackEndY;
    s.trackEndHeading = level.trackEndHeading;
    s.score = level.score;
    s.speed = level.speed;
    s.stepTimer = level.stepTimer;
    s.lost = level.lost;
    s.won = level.won;
    s.bullets = bullets;
    return s;
}

void RestorePlay(const PlayState& s, Level& level, std::vector<Bullet>& bullets) {
    level.objects = s.objects;
    level.objectCount = s.objectCount;
    level.trainX = s.trainX;
    level.trainY = s.trainY;
    level.trainHeading = s.trainHeading;
    level.trackEndX = s.trackEndX;
    level.trackEndY = s.trackEndY;
    level.trackEndHeading = s.trackEndHeading;
    level.score = s.score;
    level.speed = s.speed;
    level.stepTimer = s.stepTimer;
    level.lost = s.lost;
    level.won = s.won;
    bullets = s.bullets;
    for (Bullet& b : bullets) b.level = &level;
}

uint64_t Fingerprint(const PlayState& s) {
    Hasher h;
    for (const LevelObject& o : s.objects) {
        h.Add(static_cast<uint64_t>(std::hash<std::string>{}(o.name)));
        h.Add(Pack(o.x, o.y));
        h.Add(Pack(o.degrees, o.removed ? 1 : 0));
    }
    h.Add(Pack(s.objectCount, s.score));
    h.Add(Pack(s.trainX, s.trainY));
    h.Add(Pack(s.trackEndX, s.trackEndY));
    h.Add(Pack(s.trainHeading, s.trackEndHeading));
    h.Add(s.speed);
    h.Add(s.stepTimer);
    h.Add(Pack(s.lost, s.won));
    for (const Bullet& b : s.bullets) {
        h.Add(b.position);
        h.Add(b.direction);
        h.Add(b.origin);
        h.Add(Pack(b.expired, 0));
    }
    return h.Value();
}

std::unique_ptr<ResourceCatalogue> CopyShapes(const ResourceCatalogue& catalogue) {
    auto shapes = std::make_unique<ResourceCatalogue>(nullptr, nullptr);
    for (const auto& [name, model] : catalogue.models) {
        Model& shape = shapes->models[name];
        shape.boundCentre = model.boundCentre;
        shape.boundRadius = model.boundRadius;
    }
    return shapes;
}

std::unique_ptr<Level> CopyLevelForSearch(const Level& level, const std::vector<Bullet>& bullets,
                                          ResourceCatalogue* shapes, std::vector<Bullet>* copyBullets) {
    auto copy = std::make_unique<Level>(nullptr, shapes);
    copy->style = level.style;
    copy->height = level.height;
    copy->width = level.width;
    copy->finishX = level.finishX;
    copy->finishY = level.finishY;
    copy->finishHeading = level.finishHeading;
    copy->scanObjects = level.scanObjects;
    copy->objects = level.objects;
    RestorePlay(CapturePlay(level, bullets), *copy, *copyBullets);
    for (Bullet& bullet : *copyBullets) {
        bullet.catalogue = shapes;
        bullet.soundSystem = nullptr;
    }
    return copy;
}

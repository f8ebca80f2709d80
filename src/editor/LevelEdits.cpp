#include "editor/LevelEdits.h"

#include <algorithm>

#include "level/Level.h"
#include "level/LevelWriter.h"
#include "level/Tiles.h"

namespace {

// What follows any change: the count of file entries and the track end traced from the start.
void Settle(Level& level) {
    level.objectCount = LevelEntryCount(level);
    level.TraceTrackEnd(level.trainX, level.trainY, level.trainHeading);
}

// The objects [at, at + count) taken out of the list, in order.
std::vector<LevelObject> Cut(Level& level, size_t at, size_t count) {
    std::vector<LevelObject> items = level.objects.items();
    std::vector<LevelObject> cut(items.begin() + static_cast<ptrdiff_t>(at),
                                 items.begin() + static_cast<ptrdiff_t>(at + count));
    items.erase(items.begin() + static_cast<ptrdiff_t>(at), items.begin() + static_cast<ptrdiff_t>(at + count));
    level.objects = std::move(items);
    return cut;
}

void Paste(Level& level, size_t at, const std::vector<LevelObject>& objects) {
    std::vector<LevelObject> items = level.objects.items();
    items.insert(items.begin() + static_cast<ptrdiff_t>(at), objects.begin(), objects.end());
    level.objects = std::move(items);
}

// Objects [at, at + objects.size()) are `objects`: Apply takes them out (removing), Revert puts them
// back; or the other way round (placing).
class ObjectRun : public LevelEdit {
public:
    ObjectRun(size_t at, std::vector<LevelObject> objects, bool placing)
        : at_(at), objects_(std::move(objects)), placing_(placing) {}
    void Apply(Level& level) const override { placing_ ? Put(level) : Take(level); }
    void Revert(Level& level) const override { placing_ ? Take(level) : Put(level); }

private:
    void Put(Level& level) const {
        Paste(level, at_, objects_);
        Settle(level);
    }
    void Take(Level& level) const {
        Cut(level, at_, objects_.size());
        Settle(level);
    }
    size_t at_;
    std::vector<LevelObject> objects_;
    bool placing_;
};

struct Place {
    int32_t x, y;
    char heading;
};

// The start (or the finish) moves from one place to another.
class MoveEnd : public LevelEdit {
public:
    MoveEnd(bool start, Place from, Place to) : start_(start), from_(from), to_(to) {}
    void Apply(Level& level) const override { Set(level, to_); }
    void Revert(Level& level) const override { Set(level, from_); }

private:
    void Set(Level& level, Place p) const {
        (start_ ? level.trainX : level.finishX) = p.x;
        (start_ ? level.trainY : level.finishY) = p.y;
        (start_ ? level.trainHeading : level.finishHeading) = p.heading;
        Settle(level);
    }
    bool start_;
    Place from_, to_;
};

class SetSpeed : public LevelEdit {
public:
    SetSpeed(float from, float to) : from_(from), to_(to) {}
    void Apply(Level& level) const override { level.speed = to_; }
    void Revert(Level& level) const override { level.speed = from_; }

private:
    float from_, to_;
};

class Resize : public LevelEdit {
public:
    Resize(GridSide side, bool grow, std::optional<Camera> from, std::optional<Camera> to)
        : side_(side), grow_(grow), from_(std::move(from)), to_(std::move(to)) {}
    void Apply(Level& level) const override { Change(level, grow_ ? 1 : -1, to_); }
    void Revert(Level& level) const override { Change(level, grow_ ? -1 : 1, from_); }

private:
    void Change(Level& level, int32_t delta, const std::optional<Camera>& camera) const {
        const bool columns = side_ == GridSide::West || side_ == GridSide::East;
        (columns ? level.width : level.height) += delta;
        // A line added or taken away at the west or north side renumbers every tile after it.
        if (side_ == GridSide::West || side_ == GridSide::North) {
            const int32_t dx = columns ? delta : 0, dy = columns ? 0 : delta;
            std::vector<LevelObject> items = level.objects.items();
            for (LevelObject& o : items) {
                o.x += dx;
                o.y += dy;
            }
            level.objects = std::move(items);
            level.trainX += dx;
            level.trainY += dy;
            level.finishX += dx;
            level.finishY += dy;
        }
        if (camera) level.camera = std::make_unique<Camera>(*camera);
        else level.camera.reset();
        Settle(level);
    }
    GridSide side_;
    bool grow_;
    std::optional<Camera> from_, to_;
};

char NextHeading(char heading) {
    switch (heading) {
        case 'e': return 's';
        case 's': return 'w';
        case 'w': return 'n';
        default: return 'e';
    }
}

std::unique_ptr<LevelEdit> MoveEndTo(bool start, const Level& level, int32_t x, int32_t y) {
    const Place from = start ? Place{level.trainX, level.trainY, level.trainHeading}
                             : Place{level.finishX, level.finishY, level.finishHeading};
    const char heading = from.x == x && from.y == y ? NextHeading(from.heading) : 'e';
    return std::make_unique<MoveEnd>(start, from, Place{x, y, heading});
}

}  // namespace

std::unique_ptr<LevelEdit> PlaceObject(const Level& level, const std::string& name, int32_t x, int32_t y,
                                       int32_t degrees) {
    LevelObject object;
    object.name = name;
    object.x = x;
    object.y = y;
    object.degrees = degrees;
    object.angle = degrees != 0 ? DegreesToRadians(static_cast<float>(degrees)) : 0.0f;
    // The loader makes the ring; a scratch level lends it the same code.
    Level scratch(nullptr, nullptr);
    scratch.objects.push_back(object);
    if (object.name == ObjectName::kStation) scratch.AddStationRing(object);
    return std::make_unique<ObjectRun>(level.objects.size(), scratch.objects.items(), true);
}

std::unique_ptr<LevelEdit> RemoveObject(const Level& level, int32_t x, int32_t y) {
    // The last entry on the tile that is not part of a station's ring.
    std::optional<size_t> last;
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const LevelObject& o = level.objects[i];
        if (o.x == x && o.y == y) last = i;
        if (StationRingFollows(level, i)) i += 8;
    }
    if (!last) return nullptr;
    const size_t at = *last;
    const size_t count = StationRingFollows(level, at) ? 9 : 1;
    std::vector<LevelObject> objects(level.objects.begin() + static_cast<ptrdiff_t>(at),
                                     level.objects.begin() + static_cast<ptrdiff_t>(at + count));
    return std::make_unique<ObjectRun>(at, std::move(objects), false);
}

std::unique_ptr<LevelEdit> PlaceStart(const Level& level, int32_t x, int32_t y) { return MoveEndTo(true, level, x, y); }

std::unique_ptr<LevelEdit> PlaceFinish(const Level& level, int32_t x, int32_t y) { return MoveEndTo(false, level, x, y); }

std::unique_ptr<LevelEdit> ChangeSpeed(const Level& level, int32_t delta) {
    const float to = std::max(1.0f, level.speed + static_cast<float>(delta));
    if (to == level.speed) return nullptr;
    return std::make_unique<SetSpeed>(level.speed, to);
}

std::unique_ptr<LevelEdit> ResizeGrid(const Level& level, GridSide side, bool grow, std::optional<Camera> camera) {
    const bool columns = side == GridSide::West || side == GridSide::East;
    if (!grow && (columns ? level.width : level.height) <= 1) return nullptr;
    std::optional<Camera> from;
    if (level.camera) from = *level.camera;
    if (!camera) camera = from;
    return std::make_unique<Resize>(side, grow, from, camera);
}

void EditHistory::Do(Level& level, std::unique_ptr<LevelEdit> edit) {
    if (!edit) return;
    edit->Apply(level);
    done_.push_back({std::move(edit), nextSerial_++});
    undone_.clear();
}

bool EditHistory::Undo(Level& level) {
    if (done_.empty()) return false;
    done_.back().edit->Revert(level);
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return true;
}

bool EditHistory::Redo(Level& level) {
    if (undone_.empty()) return false;
    undone_.back().edit->Apply(level);
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return true;
}

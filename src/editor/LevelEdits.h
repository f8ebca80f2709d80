#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "camera/Camera.h"
#include "level/LevelObject.h"

class Level;

// One change to a level record that can be done and undone. Apply after Revert (and Revert after
// Apply) gives back exactly the record it was made against: the same objects in the same order,
// grid, start, finish, speed and camera. Both keep the track end in step with the start.
class LevelEdit {
public:
    virtual ~LevelEdit() = default;
    virtual void Apply(Level& level) const = 0;
    virtual void Revert(Level& level) const = 0;
};

// A side of the grid.
enum class GridSide { West, East, North, South };

// The edits an author makes, each made against the level as it is now; null when the edit would
// change nothing.
// Places a `name` object (scale 1, turned `degrees`) on tile (x, y), after every other object; a
// station brings its ring of blocked tiles as loading does.
std::unique_ptr<LevelEdit> PlaceObject(const Level& level, const std::string& name, int32_t x, int32_t y,
                                       int32_t degrees);
// Removes the object placed last on tile (x, y) (a station with its ring); null on an empty tile.
std::unique_ptr<LevelEdit> RemoveObject(const Level& level, int32_t x, int32_t y);
// Puts the train's start (finish: the finish) on tile (x, y) heading east; when it is there
// already, turns its heading to the next of e, s, w, n.
std::unique_ptr<LevelEdit> PlaceStart(const Level& level, int32_t x, int32_t y);
std::unique_ptr<LevelEdit> PlaceFinish(const Level& level, int32_t x, int32_t y);
// Changes the speed (seconds a tile) by `delta`, never below 1; null when it stays.
std::unique_ptr<LevelEdit> ChangeSpeed(const Level& level, int32_t delta);
// Adds (grow) or takes away a column or row at `side`, never below 1 by 1. At the west or north
// side every object, the start and the finish move with the grid so nothing shifts against its
// neighbours; objects that end up off the grid stay in the level. The camera becomes `camera`
// (the opening view framed for the new size; when empty the camera stays).
std::unique_ptr<LevelEdit> ResizeGrid(const Level& level, GridSide side, bool grow, std::optional<Camera> camera);

// The edits done and undone since the level was opened.
class EditHistory {
public:
    // Applies the edit and makes it the one Undo takes back; forgets what was undone. Ignores null.
    void Do(Level& level, std::unique_ptr<LevelEdit> edit);
    // Takes back the last edit done; false when none is left.
    bool Undo(Level& level);
    // Does again the last edit undone; false when none is left.
    bool Redo(Level& level);
    // Stands for the level as it is now: equal marks mean the same sequence of edits is in force.
    uint64_t Mark() const { return done_.empty() ? 0 : done_.back().serial; }
    size_t UndoCount() const { return done_.size(); }
    size_t RedoCount() const { return undone_.size(); }

private:
    struct Entry {
        std::unique_ptr<LevelEdit> edit;
        uint64_t serial;
    };
    std::vector<Entry> done_;
    std::vector<Entry> undone_;
    uint64_t nextSerial_ = 1;
};

#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "camera/Camera.h"
#include "level/LevelObject.h"
#include "level/ObjectList.h"
#include "level/TokenReader.h"
#include "math/Matrix4.h"

class RenderDevice;
class ResourceCatalogue;

// The most object entries a level file may announce: far beyond any playable level, and small
// enough that the objects (with station rings) stay within a few hundred megabytes.
constexpr int32_t kMaxLevelObjects = 4194304;

// Asked now and then during a long load; false stops the load where it is.
using KeepLoading = std::function<bool()>;

// How many objects a load reads between two questions to its KeepLoading.
constexpr int32_t kObjectsBetweenLoadChecks = 16384;

// What a load notes about the text it read, for tools that point into it.
struct LoadTrace {
    static constexpr size_t kEntriesPerMark = 16;
    // The offset of the first token of entries 0, 16, 32, ... (each whose first number was read).
    std::vector<uint32_t> entryMarks;
    // The object entries read in full before the first that was not.
    size_t wholeEntries = 0;
    // The first read that took only part of its token.
    std::optional<TokenPlace> firstPartRead;
};

// One loaded level: the grid size, the objects on its tiles, the train, the finish, the track end
// and the state of play.
class Level {
public:
    std::string style;
    int32_t height = 0;
    int32_t width = 0;
    int32_t objectCount = 0;
    ObjectList objects;
    std::unique_ptr<Camera> camera;  // null until the file names "camera_data"
    int32_t trainX = 0, trainY = 0;
    char trainHeading = 'x';
    int32_t finishX = 0, finishY = 0;
    char finishHeading = 'x';
    int32_t trackEndX = 0, trackEndY = 0;
    char trackEndHeading = 'x';
    int32_t score = 0;
    float speed = 5.0f;
    float stepTimer = 0.0f;
    bool lost = false;
    bool won = false;
    RenderDevice* device = nullptr;          // not owned
    ResourceCatalogue* catalogue = nullptr;  // not owned
    std::optional<ReadStop> loadStop;        // where the last Load stopped early; empty when complete
    TokenObserver tokenObserver;             // when set, Load reports every token it reads outside the object entries (for tools)
    LoadTrace* loadTrace = nullptr;          // when set, Load fills it (not owned)
    bool scanObjects = false;  // answer tile lookups and hit tests by walking the whole list (the reference the index is checked against)

    bool loadCancelled = false;  // the last Load was stopped by its KeepLoading

    // Makes an empty level record (no grid, no objects, no camera) that loads nothing.
    Level(RenderDevice* device, ResourceCatalogue* catalogue);
    // Makes the level and loads the file at path (the load's result is not looked at).
    Level(RenderDevice* device, ResourceCatalogue* catalogue, const std::string& path, KeepLoading keepLoading = {});
    // Reads the level file; 1 when a keyword did not match, more than kMaxLevelObjects objects
    // are announced or keepLoading answered false (loadCancelled set), else 0 (a damaged last
    // number keeps its field and sets only loadStop).
    int32_t Load(const std::string& path, const KeepLoading& keepLoading = {});
    // Reads a level file's whole text as Load reads the file (stops report lines of this text).
    int32_t LoadText(std::string_view text, const KeepLoading& keepLoading = {});
    // Appends the eight "blocked" objects around a station.
    void AddStationRing(LevelObject station);

    // The first object on tile (x, y); an object with an empty name and `removed` set when none.
    LevelObject ObjectAt(int32_t x, int32_t y) const;
    // The same answer found by walking the whole list, whatever scanObjects says.
    LevelObject ObjectAtByScan(int32_t x, int32_t y) const;
    // The heading after passing `piece` entered with `heading`; 'x' when it cannot be entered so.
    static char ExitHeading(const LevelObject& piece, char heading);
    // Sets the track end by following the track from tile (x, y) leaving in `heading`.
    void TraceTrackEnd(int32_t x, int32_t y, char heading);
    // Lays one piece ('l', 'r' or 's') at the track end; 0 when laid or already complete, else 1.
    int32_t LayRail(char kind);
    // True when the track end is the finish tile in the finish heading.
    bool TrackComplete() const;
    // True when (x, y) lies inside the grid.
    bool InsideGrid(int32_t x, int32_t y) const;

    // Gathers time and makes at most one train step.
    void AdvanceTrain(float dt);

    // Draws every object (except "blocked") and then the train.
    void Draw();
    // Draws the named model with the current world transform through the level's device and catalogue.
    void DrawModel(const char* name);
    // rotationZ(heading angle) * translation(train tile centre, lifted 0.6); fills and returns out.
    Matrix4* TrainWorldMatrix(Matrix4* out) const;

private:
    // LoadText's reading, from the reader's first token on.
    int32_t ReadTokens(TokenReader& in, const KeepLoading& keepLoading);
};

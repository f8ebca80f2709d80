#include <algorithm>
#include <cmath>
#include <string_view>

#include "level/Level.h"
#include "level/Tiles.h"
#include "level/TokenReader.h"
#include "platform/LoadReport.h"

namespace {

// The handles of the few names a level uses, found by comparing the bytes with the last ones met
// instead of hashing each object's name into the process-wide table.
class RecentNames {
public:
    ObjectName Find(std::string_view name) {
        for (const Entry& entry : entries_)
            if (Same(entry.text, name)) return entry.name;
        const ObjectName found = ObjectName::Of(name);
        entries_[next_] = Entry{found.str(), found};
        next_ = (next_ + 1) % kEntries;
        return found;
    }

private:
    // Names are a few bytes long: compared in place rather than through a library call.
    static bool Same(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    static constexpr size_t kEntries = 8;
    struct Entry {
        std::string_view text;  // the table's copy, which lives as long as the process
        ObjectName name;
    };
    Entry entries_[kEntries] = {};
    size_t next_ = 0;
};

// Appends the eight "blocked" objects around a station, in the order the rules expect.
void AppendStationRing(const LevelObject& station, std::vector<LevelObject>& items) {
    static constexpr int32_t kOffsets[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
    for (const auto& offset : kOffsets) {
        LevelObject ring = station;
        ring.name = ObjectName::kBlocked;
        ring.x = static_cast<int32_t>(static_cast<uint32_t>(station.x) + static_cast<uint32_t>(offset[0]));
        ring.y = static_cast<int32_t>(static_cast<uint32_t>(station.y) + static_cast<uint32_t>(offset[1]));
        items.push_back(ring);
    }
}

// The whole degrees of an angle as read, truncated toward zero; values beyond int32 are clamped
// (no track rule accepts them anyway).
int32_t WholeDegrees(float value) {
    if (!(value > -2147483648.0f)) return INT32_MIN;
    if (!(value < 2147483648.0f)) return INT32_MAX;
    return static_cast<int32_t>(value);
}

}  // namespace

Level::Level(RenderDevice* device_, ResourceCatalogue* catalogue_) : device(device_), catalogue(catalogue_) {}

Level::Level(RenderDevice* device_, ResourceCatalogue* catalogue_, const std::string& path, KeepLoading keepLoading)
    : device(device_), catalogue(catalogue_) {
    Load(path, keepLoading);
    if (loadStop && !loadCancelled) {
        const ReadStop& stop = *loadStop;
        LoadReport(path, stop.line == 0 ? "cannot be opened"
                                        : "line " + std::to_string(stop.line) + ", column " + std::to_string(stop.column) +
                                              ": expected " + stop.expected + ", found '" + stop.found + "'");
    }
}

int32_t Level::Load(const std::string& path, const KeepLoading& keepLoading) {
    loadStop.reset();
    loadCancelled = false;
    MappedFile file;
    if (!OpenTextFile(path, &file)) {
        // An unreadable file stops at the first keyword, like an empty one; line 0 says why.
        loadStop = ReadStop{"", 0, 0, "the keyword \"style\""};
        return 1;
    }
    return LoadText(file.Text(), keepLoading);
}

int32_t Level::LoadText(std::string_view text, const KeepLoading& keepLoading) {
    loadStop.reset();
    loadCancelled = false;
    TokenReader in(text);
    if (tokenObserver) in.ObserveTokens(tokenObserver);
    if (loadTrace) *loadTrace = LoadTrace{};
    const int32_t result = ReadTokens(in, keepLoading);
    if (loadTrace) loadTrace->firstPartRead = in.FirstPartRead();
    return result;
}

int32_t Level::ReadTokens(TokenReader& in, const KeepLoading& keepLoading) {
    const size_t fileBytes = in.TextSize();
    const auto stop = [&]() {
        loadStop = in.Stop();
        return 1;
    };

    if (!in.ReadKeyword("style")) return stop();
    in.ReadWord(style, "a style name");
    if (!in.ReadKeyword("height")) return stop();
    in.ReadInt(height, "an integer (height)");
    if (!in.ReadKeyword("width")) return stop();
    in.ReadInt(width, "an integer (width)");
    if (!in.ReadKeyword("camera_data")) return stop();
    camera = std::make_unique<Camera>();
    for (Vec3* v : {&camera->position, &camera->up, &camera->look, &camera->right}) {
        in.ReadFloat(v->x, "a number (camera_data)");
        in.ReadFloat(v->y, "a number (camera_data)");
        in.ReadFloat(v->z, "a number (camera_data)");
    }
    if (!in.ReadKeyword("objects")) return stop();
    in.ReadInt(objectCount, "an integer (object count)");

    // Every announced entry is appended, read or not: a damaged or short list leaves fresh
    // objects behind and shows only at the "start" keyword. A count no playable level comes near
    // is refused before anything is appended, so a few bytes cannot fill memory.
    if (objectCount > kMaxLevelObjects) {
        loadStop = ReadStop{std::to_string(objectCount), 0, 0, "at most " + std::to_string(kMaxLevelObjects) + " objects"};
        in.PositionOf(in.LastStart(), &loadStop->line, &loadStop->column);
        return 1;
    }
    // Room for the announced entries, as many as the file can hold (one takes ten bytes at least),
    // so a long list is not copied over and over as it grows.
    const size_t room = std::min(static_cast<size_t>(std::max(objectCount, 0)), fileBytes / 10);
    objects.reserve(objects.size() + room);
    RecentNames names;
    // Millions of entries are read without a call to the observer per token; a trace keeps what
    // tools need of them instead.
    in.ObserveTokens(nullptr);
    LoadTrace* const trace = loadTrace;
    if (trace) trace->entryMarks.reserve(room / LoadTrace::kEntriesPerMark + 1);
    // The entries go straight into the list's vector and are indexed together once read.
    objects.AppendAll([&](std::vector<LevelObject>& items) {
        for (int32_t i = 0; i < objectCount; ++i) {
            if (keepLoading && i % kObjectsBetweenLoadChecks == 0 && i > 0 && !keepLoading()) {
                loadCancelled = true;
                loadStop = ReadStop{"", 0, 0, "the load to go on"};
                return;
            }
            LevelObject object;
            float degreesRead = 0.0f;
            std::string_view name;
            size_t entryStart = 0;
            if (in.ReadPlainEntry(object.x, object.y, name, object.scale, degreesRead, &entryStart)) {
                if (trace) {
                    if (i % LoadTrace::kEntriesPerMark == 0) trace->entryMarks.push_back(static_cast<uint32_t>(entryStart));
                    trace->wholeEntries = static_cast<size_t>(i) + 1;
                }
            } else if (in.ReadInt(object.x, "an integer (object x)")) {
                if (trace && i % LoadTrace::kEntriesPerMark == 0)
                    trace->entryMarks.push_back(static_cast<uint32_t>(in.LastStart()));
                if (in.ReadInt(object.y, "an integer (object y)") && in.ReadWordView(name, "an object name") &&
                    in.ReadFloat(object.scale, "a number (object scale)") &&
                    in.ReadFloat(degreesRead, "a number (object angle in degrees)") && trace)
                    trace->wholeEntries = static_cast<size_t>(i) + 1;
            }
            object.name = names.Find(name);
            object.angle = degreesRead != 0.0f ? DegreesToRadians(degreesRead) : 0.0f;
            object.degrees = WholeDegrees(degreesRead);
            object.removed = false;
            items.push_back(object);
            if (object.name == ObjectName::kStation) AppendStationRing(object, items);
        }
    });
    in.ObserveTokens(tokenObserver);
    if (loadCancelled) return 1;

    if (!in.ReadKeyword("start")) return stop();
    in.ReadInt(trainX, "an integer (start x)");
    in.ReadInt(trainY, "an integer (start y)");
    in.ReadHeading(trainHeading, "a heading (start)");
    if (!in.ReadKeyword("finish")) return stop();
    in.ReadInt(finishX, "an integer (finish x)");
    in.ReadInt(finishY, "an integer (finish y)");
    in.ReadHeading(finishHeading, "a heading (finish)");
    if (!in.ReadKeyword("speed")) return stop();
    if (!in.ReadFloat(speed, "a number (speed)")) {
        // A damaged last number keeps the speed and has no keyword after it to fail; the load
        // counts as complete, and the stop is kept for tools that point at it.
        loadStop = in.Stop();
    }
    TraceTrackEnd(trainX, trainY, trainHeading);
    return 0;
}

void Level::AddStationRing(LevelObject station) {
    objects.AppendAll([&station](std::vector<LevelObject>& items) { AppendStationRing(station, items); });
}

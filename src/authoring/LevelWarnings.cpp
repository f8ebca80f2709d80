#include "authoring/LevelWarnings.h"

#include <algorithm>
#include <map>
#include <utility>

#include "state/FloorGrid.h"
#include "level/Level.h"
#include "platform/RecordingDevice.h"
#include "state/GameState.h"

namespace {

constexpr size_t kMaxKept = 1000;

bool IsTrackPiece(const std::string& name) { return name == "rails" || name == "railscorner"; }

std::string Tile(int32_t x, int32_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string Quoted(const std::string& name) { return "\"" + Printable(name) + "\""; }

// True when no heading can enter the piece: the track rules know only a few turns per piece.
bool Impassable(const LevelObject& piece) {
    for (char heading : {'n', 'e', 's', 'w'})
        if (Level::ExitHeading(piece, heading) != 'x') return false;
    return true;
}

// True when the floor grid of a level this size can be built (the game draws no grid otherwise).
bool GridDrawable(const Level& level) {
    RecordingDevice device;
    // The grid's buffer and material are process-wide: the ones in use (the editor draws with
    // them) are put back afterwards.
    std::unique_ptr<VertexBuffer> inUse = std::move(g_gridVertexBuffer);
    const Material material = g_gridMaterial;
    const auto lines = [](int32_t tiles) { return static_cast<int32_t>(static_cast<uint32_t>(tiles) + 1u); };
    FloorGrid grid(&device, 10.0f * static_cast<float>(level.height), 10.0f * static_cast<float>(level.width), 0.0f,
                   lines(level.width), lines(level.height));
    const bool built = g_gridVertexBuffer != nullptr;
    g_gridVertexBuffer = std::move(inUse);
    g_gridMaterial = material;
    return built;
}

class WarningList {
public:
    WarningList(const TextPositions& positions) : positions_(positions) {}

    // Warnings come in file order object by object, so the ones kept are the first in the file
    // but for the few about the grid, start and finish; a damaged file with millions of objects
    // is only counted beyond that.
    void Add(size_t offset, std::string text) {
        if (found_.size() < kMaxKept)
            found_.emplace_back(offset, std::move(text));
        else
            ++dropped;
    }
    size_t dropped = 0;

    std::vector<Diagnostic> Sorted() {
        std::stable_sort(found_.begin(), found_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<Diagnostic> out;
        for (auto& [offset, text] : found_) {
            Diagnostic d{Diagnostic::Kind::Warning, 0, 0, std::move(text)};
            positions_.At(offset, &d.line, &d.column);
            out.push_back(std::move(d));
        }
        return out;
    }

private:
    const TextPositions& positions_;
    std::vector<std::pair<size_t, std::string>> found_;
};

// Where each object of the level came from: the file entry that wrote it (its index), and
// whether it is one of the eight "blocked" tiles the loader adds after a station.
struct Origin {
    size_t entry;
    bool ring;
};

std::vector<Origin> Origins(const Level& level) {
    std::vector<Origin> origins;
    size_t entry = 0;
    for (size_t i = 0; i < level.objects.size(); ++i) {
        origins.push_back({entry, false});
        if (level.objects[i].name == "station") {
            for (size_t r = 0; r < 8 && i + 1 < level.objects.size(); ++r) origins.push_back({entry, true}), ++i;
        }
        ++entry;
    }
    return origins;
}

}  // namespace

std::vector<Diagnostic> LevelWarnings(const Level& level, const ReadPlaces& places, const std::string& text,
                                      const TextPositions& positions, const ModelList* models, size_t* unlisted) {
    WarningList warnings(positions);
    const std::string grid = std::to_string(level.width) + " by " + std::to_string(level.height) + " tiles";

    if (level.height < 1) warnings.Add(places.height, "height " + std::to_string(level.height) + " is under 1: the level has no tiles");
    if (level.width < 1) warnings.Add(places.width, "width " + std::to_string(level.width) + " is under 1: the level has no tiles");
    if (level.height >= 1 && level.width >= 1 && !GridDrawable(level))
        warnings.Add(places.height, "a grid of " + grid + " is too large to draw");

    const std::vector<Origin> origins = Origins(level);
    const auto entryAt = [&](size_t entry) { return entry < places.entries.size() ? places.entries[entry].x : 0; };
    const auto lineOf = [&](size_t entry) {
        int line, column;
        positions.At(entryAt(entry), &line, &column);
        return std::to_string(line);
    };

    // The first object on each tile is the one the train and the track see.
    std::map<std::pair<int32_t, int32_t>, size_t> firstOnTile;
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const LevelObject& object = level.objects[i];
        const Origin origin = origins[i];
        const auto [first, isFirst] = firstOnTile.emplace(std::make_pair(object.x, object.y), i);
        if (origin.ring) continue;  // the station's entry speaks for its ring
        const size_t at = entryAt(origin.entry);

        if (!level.InsideGrid(object.x, object.y))
            warnings.Add(at, Quoted(object.name) + " at " + Tile(object.x, object.y) + " lies off the grid of " + grid);
        if (IsTrackPiece(object.name) && Impassable(object))
            warnings.Add(at, Quoted(object.name) + " turned " + std::to_string(object.Turn()) +
                                 " degrees cannot be entered from any side (straight pieces take 0 or 90, "
                                 "curves 0, 90, 180 or 270)");
        if (models && object.name != "blocked" && !models->names.count(object.name)) {
            const size_t nameAt = origin.entry < places.entries.size() ? places.entries[origin.entry].name : 0;
            warnings.Add(nameAt, "no model named " + Quoted(object.name) + " in " + models->listPath +
                                     (models->refused.empty() ? "" : "; the list stops at " + models->refused));
        }
        if (!isFirst && IsTrackPiece(object.name)) {
            const size_t hider = first->second;
            const LevelObject& cover = level.objects[hider];
            const std::string by = origins[hider].ring ? "the ring of the station on line " + lineOf(origins[hider].entry)
                                                       : Quoted(cover.name) + " on line " + lineOf(origins[hider].entry);
            warnings.Add(at, Quoted(object.name) + " at " + Tile(object.x, object.y) + " is hidden from the train by " +
                                 by + ", listed earlier on the same tile");
        }
        if (object.name == "station") {
            // Only a station on the grid is asked about its ring (an off-grid one is warned above),
            // so its neighbours' coordinates cannot overflow.
            if (level.InsideGrid(object.x, object.y) &&
                !(level.InsideGrid(object.x - 1, object.y - 1) && level.InsideGrid(object.x + 1, object.y + 1)))
                warnings.Add(at, "the ring of blocked tiles around the station at " + Tile(object.x, object.y) +
                                     " falls off the grid");
        }
    }

    if (!level.InsideGrid(level.trainX, level.trainY))
        warnings.Add(places.start, "the start " + Tile(level.trainX, level.trainY) + " lies off the grid of " + grid);
    if (!level.InsideGrid(level.finishX, level.finishY))
        warnings.Add(places.finish, "the finish " + Tile(level.finishX, level.finishY) + " lies off the grid of " + grid);
    if (level.TrackComplete())
        warnings.Add(places.finish, "the track already runs from the start to the finish when the level loads: "
                                    "track builders will lay nothing");

    const size_t after = places.speedEnd;
    size_t next = after;
    while (next < text.size() && TokenFrom(text, next).empty()) ++next;
    if (next < text.size())
        warnings.Add(next, "text after the speed is ignored by the game: '" + Printable(TokenFrom(text, next)) + "'");

    if (unlisted) *unlisted = warnings.dropped;
    return warnings.Sorted();
}

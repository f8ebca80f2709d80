#include "authoring/LevelWarnings.h"

#include <algorithm>
#include <type_traits>
#include <utility>

#include "state/FloorGrid.h"
#include "level/Level.h"
#include "platform/RecordingDevice.h"
#include "state/GameState.h"

namespace {

constexpr size_t kMaxKept = 1000;

bool IsTrackPiece(ObjectName name) { return name == ObjectName::kRails || name == ObjectName::kRailsCorner; }

std::string Tile(int32_t x, int32_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string Quoted(const std::string& name) { return "\"" + Printable(name) + "\""; }

// True when no heading can enter the piece: the track rules know only a few turns per piece.
bool Impassable(const LevelObject& piece) {
    for (char heading : {'n', 'e', 's', 'w'})
        if (Level::ExitHeading(piece, heading) != 'x') return false;
    return true;
}

// The same answer for track pieces, remembered for each name and turn from 0 to 359: millions of
// pieces share a handful of turns, and the rules are asked once for each.
class ImpassablePieces {
public:
    ImpassablePieces() { std::fill(&answers_[0][0], &answers_[0][0] + 2 * kTurns, static_cast<signed char>(-1)); }

    // Impassable(piece) for a "rails" or "railscorner".
    bool operator()(const LevelObject& piece) {
        const int32_t turn = piece.Turn();
        if (turn < 0 || turn >= kTurns) return Impassable(piece);
        signed char& known = answers_[piece.name == ObjectName::kRailsCorner ? 1 : 0][turn];
        if (known < 0) known = Impassable(piece) ? 1 : 0;
        return known == 1;
    }

private:
    static constexpr int32_t kTurns = 360;
    signed char answers_[2][kTurns];  // by name (rails, railscorner) and turn; -1 not asked yet
};

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

    // Adds the warning whose text `make` returns. Warnings come in file order object by object,
    // so the ones kept are the first in the file but for the few about the grid, start and
    // finish; a damaged file with millions of objects is only counted beyond that, and the texts
    // of the warnings not kept are never made.
    // The offset is a number or a function giving it, called only for a warning kept.
    template <class Offset, class Make>
    void Add(Offset offset, Make make) {
        if (found_.size() >= kMaxKept) {
            ++dropped;
        } else if constexpr (std::is_invocable_v<Offset>) {
            found_.emplace_back(offset(), make());
        } else {
            found_.emplace_back(offset, make());
        }
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

// Where an object of the level came from: the file entry that wrote it (its index), and
// whether it is one of the eight "blocked" tiles the loader adds after a station.
struct Origin {
    size_t entry;
    bool ring;
};

// The origins of a level's objects, kept as the positions of its stations: every object but the
// rings comes from one entry, and each ring (eight objects, fewer only at the end of the list)
// follows its station.
class Origins {
public:
    explicit Origins(const Level& level) {
        const size_t count = level.objects.size();
        for (size_t i = 0; i < count; ++i)
            if (level.objects[i].name == ObjectName::kStation) stations_.push_back(i), i += 8;
    }
    Origin Of(size_t position) const {
        // The stations before `position`; all of their rings are whole, as something follows them.
        const auto before = static_cast<size_t>(std::lower_bound(stations_.begin(), stations_.end(), position) - stations_.begin());
        if (before > 0 && position - stations_[before - 1] <= 8) return {stations_[before - 1] - 8 * (before - 1), true};
        return {position - 8 * before, false};
    }

private:
    std::vector<size_t> stations_;
};

}  // namespace

std::vector<Diagnostic> LevelWarnings(const Level& level, const ReadPlaces& places, std::string_view text,
                                      const TextPositions& positions, const ModelList* models, size_t* unlisted) {
    WarningList warnings(positions);
    const std::string grid = std::to_string(level.width) + " by " + std::to_string(level.height) + " tiles";

    if (level.height < 1)
        warnings.Add(places.height, [&] { return "height " + std::to_string(level.height) + " is under 1: the level has no tiles"; });
    if (level.width < 1)
        warnings.Add(places.width, [&] { return "width " + std::to_string(level.width) + " is under 1: the level has no tiles"; });
    if (level.height >= 1 && level.width >= 1 && !GridDrawable(level))
        warnings.Add(places.height, [&] { return "a grid of " + grid + " is too large to draw"; });

    const Origins origins(level);
    const auto entryAt = [&](size_t entry) { return places.EntryToken(text, entry, 0); };
    const auto lineOf = [&](size_t entry) {
        int line, column;
        positions.At(entryAt(entry), &line, &column);
        return std::to_string(line);
    };

    // Whether a name has a model, looked up in the list once per name.
    std::vector<signed char> modelFound;  // by name handle: -1 not looked up yet
    const auto hasModel = [&](ObjectName name) {
        if (name.id() >= modelFound.size()) modelFound.resize(name.id() + 1, -1);
        signed char& found = modelFound[name.id()];
        if (found < 0) found = models->names.count(name) ? 1 : 0;
        return found == 1;
    };

    ImpassablePieces impassable;
    // The first object on each tile is the one the train and the track see.
    const std::vector<bool> firstOnTile = level.objects.FirstsOnTiles();
    for (size_t i = 0; i < level.objects.size(); ++i) {
        const LevelObject& object = level.objects[i];
        const Origin origin = origins.Of(i);
        if (origin.ring) continue;  // the station's entry speaks for its ring
        // Found in the text only for the warnings kept.
        const auto at = [&] { return entryAt(origin.entry); };

        if (!level.InsideGrid(object.x, object.y))
            warnings.Add(at, [&] { return Quoted(object.name) + " at " + Tile(object.x, object.y) + " lies off the grid of " + grid; });
        if (IsTrackPiece(object.name) && impassable(object))
            warnings.Add(at, [&] {
                return Quoted(object.name) + " turned " + std::to_string(object.Turn()) +
                       " degrees cannot be entered from any side (straight pieces take 0 or 90, "
                       "curves 0, 90, 180 or 270)";
            });
        if (models && object.name != ObjectName::kBlocked && !hasModel(object.name)) {
            const auto nameAt = [&] { return places.EntryToken(text, origin.entry, 2); };
            warnings.Add(nameAt, [&] {
                return "no model named " + Quoted(object.name) + " in " + models->listPath +
                       (models->refused.empty() ? "" : "; the list stops at " + models->refused);
            });
        }
        if (!firstOnTile[i] && IsTrackPiece(object.name)) {
            warnings.Add(at, [&] {
                const size_t hider = level.objects.FirstAt(object.x, object.y);
                const LevelObject& cover = level.objects[hider];
                const Origin from = origins.Of(hider);
                const std::string by = from.ring ? "the ring of the station on line " + lineOf(from.entry)
                                                 : Quoted(cover.name) + " on line " + lineOf(from.entry);
                return Quoted(object.name) + " at " + Tile(object.x, object.y) + " is hidden from the train by " + by +
                       ", listed earlier on the same tile";
            });
        }
        if (object.name == ObjectName::kStation) {
            // Only a station on the grid is asked about its ring (an off-grid one is warned above),
            // so its neighbours' coordinates cannot overflow.
            if (level.InsideGrid(object.x, object.y) &&
                !(level.InsideGrid(object.x - 1, object.y - 1) && level.InsideGrid(object.x + 1, object.y + 1)))
                warnings.Add(at, [&] {
                    return "the ring of blocked tiles around the station at " + Tile(object.x, object.y) + " falls off the grid";
                });
        }
    }

    if (!level.InsideGrid(level.trainX, level.trainY))
        warnings.Add(places.start, [&] { return "the start " + Tile(level.trainX, level.trainY) + " lies off the grid of " + grid; });
    if (!level.InsideGrid(level.finishX, level.finishY))
        warnings.Add(places.finish, [&] { return "the finish " + Tile(level.finishX, level.finishY) + " lies off the grid of " + grid; });
    if (level.TrackComplete())
        warnings.Add(places.finish, [] {
            return std::string("the track already runs from the start to the finish when the level loads: "
                               "track builders will lay nothing");
        });

    const size_t after = places.speedEnd;
    size_t next = after;
    while (next < text.size() && TokenFrom(text, next).empty()) ++next;
    if (next < text.size())
        warnings.Add(next, [&] { return "text after the speed is ignored by the game: '" + Printable(TokenFrom(text, next)) + "'"; });

    if (unlisted) *unlisted = warnings.dropped;
    return warnings.Sorted();
}

#include "authoring/LevelGenerator.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "authoring/LevelFraming.h"
#include "authoring/SeededRandom.h"
#include "level/Level.h"
#include "resources/ResourceCatalogue.h"

namespace {

// What each difficulty asks for.
struct Recipe {
    int32_t width, height;
    const char* speed;          // seconds per tile, as the file writes it
    int32_t gapsMin, gapsMax;   // builder shots
    int32_t decoys;             // builders of a kind the track does not need next
    int32_t scores;             // score targets
    int32_t speeds;             // speed targets
    int32_t shields;            // bricks beside builders
    int32_t stations;
    double bandLow, bandHigh;   // the difficulty (solve --stats) a level of this kind has
    uint64_t nodes;             // the proof's bound
};

constexpr Recipe kRecipes[] = {
    {8, 6, "5", 2, 3, 0, 2, 0, 0, 0, 0.0, 8.0, 3000},
    {10, 8, "4", 4, 5, 1, 3, 1, 2, 0, 8.0, 16.0, 6000},
    {12, 9, "3", 6, 8, 2, 4, 2, 3, 1, 16.0, 1e9, 12000},
};

constexpr int32_t kAttempts = 24;

struct Tile {
    int32_t x, y;
    bool operator<(const Tile& o) const { return std::pair(x, y) < std::pair(o.x, o.y); }
    bool operator==(const Tile& o) const { return x == o.x && y == o.y; }
};

Tile Step(Tile t, char heading) {
    switch (heading) {
        case 'n': return {t.x, t.y - 1};
        case 's': return {t.x, t.y + 1};
        case 'e': return {t.x + 1, t.y};
        default: return {t.x - 1, t.y};
    }
}
char LeftOf(char h) { return h == 'n' ? 'w' : h == 'e' ? 'n' : h == 's' ? 'e' : 's'; }
char RightOf(char h) { return h == 'n' ? 'e' : h == 'e' ? 's' : h == 's' ? 'w' : 'n'; }
int Column(char h) { return h == 'n' ? 0 : h == 'e' ? 1 : h == 's' ? 2 : 3; }

// A route: its tiles and the heading leaving each (the last leaves east, off the grid).
struct Route {
    std::vector<Tile> tiles;
    std::vector<char> leaving;
};

// A self-avoiding winding walk from (0, startRow) heading east to the east edge, of at least
// minLength tiles, that never runs beside itself (room for builders between its bends).
class RouteFinder {
public:
    RouteFinder(int32_t width, int32_t height, int32_t minLength, SeededRandom& random)
        : width_(width), height_(height), minLength_(minLength), random_(random) {}

    bool Find(Tile start, Route* route) {
        route_ = Route{};
        used_.clear();
        budget_ = 20000;
        route_.tiles.push_back(start);
        used_.insert(start);
        if (!Walk('e')) return false;
        *route = route_;
        return true;
    }

private:
    bool Inside(Tile t) const { return t.x >= 0 && t.y >= 0 && t.x < width_ && t.y < height_; }

    bool Free(Tile next, Tile from) const {
        if (!Inside(next) || used_.count(next)) return false;
        // The walk keeps one tile from its own earlier tiles, but for the one it comes from.
        for (char h : {'n', 'e', 's', 'w'}) {
            const Tile side = Step(next, h);
            if (!(side == from) && used_.count(side)) return false;
        }
        return true;
    }

    bool Walk(char heading) {
        if (--budget_ < 0) return false;
        const Tile here = route_.tiles.back();
        if (here.x == width_ - 1 && static_cast<int32_t>(route_.tiles.size()) >= minLength_ && heading != 'w') {
            // The last tile leaves east: a bend when the walk arrives from the north or south.
            route_.leaving.push_back('e');
            return true;
        }
        std::vector<char> choices = {heading, LeftOf(heading), RightOf(heading)};
        // Straight on half the time; the bends in random order.
        if (random_.Chance(50)) std::swap(choices[0], choices[random_.Between(1, 2)]);
        if (random_.Chance(50)) std::swap(choices[1], choices[2]);
        for (char next : choices) {
            const Tile tile = Step(here, next);
            if (!Free(tile, here)) continue;
            route_.leaving.push_back(next);
            route_.tiles.push_back(tile);
            used_.insert(tile);
            if (Walk(next)) return true;
            used_.erase(tile);
            route_.tiles.pop_back();
            route_.leaving.pop_back();
        }
        return false;
    }

    int32_t width_, height_, minLength_;
    SeededRandom& random_;
    Route route_;
    std::set<Tile> used_;
    int32_t budget_ = 0;
};

struct Entry {
    Tile tile;
    std::string name;
    int32_t degrees;
};

// The piece a train entering with `in` and leaving with `out` needs, and the builder that lays it.
void PieceFor(char in, char out, Entry* piece, std::string* builder) {
    static constexpr int32_t kCurveLeft[4] = {0, 90, 180, 270};
    static constexpr int32_t kCurveRight[4] = {270, 0, 90, 180};
    if (in == out) {
        piece->name = "rails";
        piece->degrees = (in == 'n' || in == 's') ? 90 : 0;
        *builder = "rrecht";
    } else if (out == LeftOf(in)) {
        piece->name = "railscorner";
        piece->degrees = kCurveLeft[Column(in)];
        *builder = "lturn";
    } else {
        piece->name = "railscorner";
        piece->degrees = kCurveRight[Column(in)];
        *builder = "rturn";
    }
}

class Attempt {
public:
    Attempt(const Recipe& recipe, int32_t width, int32_t height, SeededRandom& random)
        : recipe_(recipe), width_(width), height_(height), random_(random) {}

    // The level's text; empty when no route fits.
    std::string Make(const std::string& style) {
        const int32_t startRow = random_.Between(1, std::max(1, height_ - 2));
        RouteFinder finder(width_, height_, width_ + height_ / 2, random_);
        Route route;
        if (!finder.Find(Tile{0, std::min(startRow, height_ - 1)}, &route)) return "";
        for (const Tile& t : route.tiles) taken_.insert(t);

        // Gaps: never the start's tile nor the next one, so the first shot has time.
        const int32_t n = static_cast<int32_t>(route.tiles.size());
        std::vector<int32_t> candidates;
        for (int32_t i = 2; i < n; ++i) candidates.push_back(i);
        const int32_t gaps = std::min<int32_t>(random_.Between(recipe_.gapsMin, recipe_.gapsMax), static_cast<int32_t>(candidates.size()));
        // Bends first: a gap on a bend asks for a turn builder.
        std::vector<int32_t> chosen;
        for (int32_t pass = 0; pass < 2 && static_cast<int32_t>(chosen.size()) < gaps; ++pass) {
            std::vector<int32_t> pool;
            for (int32_t i : candidates) {
                const char in = route.leaving[static_cast<size_t>(i - 1)];
                const bool bend = in != route.leaving[static_cast<size_t>(i)];
                if ((pass == 0) == bend && std::find(chosen.begin(), chosen.end(), i) == chosen.end()) pool.push_back(i);
            }
            while (!pool.empty() && static_cast<int32_t>(chosen.size()) < gaps && (pass == 1 || random_.Chance(70))) {
                const int32_t k = random_.Below(static_cast<int32_t>(pool.size()));
                chosen.push_back(pool[static_cast<size_t>(k)]);
                pool.erase(pool.begin() + k);
            }
        }
        std::sort(chosen.begin(), chosen.end());

        std::vector<std::string> builders;
        for (int32_t i = 0; i < n; ++i) {
            const char in = i == 0 ? 'e' : route.leaving[static_cast<size_t>(i - 1)];
            Entry piece{route.tiles[static_cast<size_t>(i)], "", 0};
            std::string builder;
            PieceFor(in, route.leaving[static_cast<size_t>(i)], &piece, &builder);
            if (std::binary_search(chosen.begin(), chosen.end(), i)) {
                builders.push_back(builder);
            } else {
                entries_.push_back(piece);
            }
        }
        if (!PlaceStations()) return "";
        std::vector<Tile> builderTiles;
        for (const std::string& builder : builders)
            if (!Place(builder, 0, &builderTiles)) return "";
        static const char* const kKinds[] = {"rrecht", "lturn", "rturn"};
        for (int32_t i = 0; i < recipe_.decoys; ++i)
            if (!Place(kKinds[random_.Below(3)], 0, &builderTiles)) return "";
        for (int32_t i = 0; i < recipe_.scores; ++i)
            if (!Place(random_.Chance(50) ? "50pts" : "100pts", 0, nullptr)) return "";
        for (int32_t i = 0; i < recipe_.speeds; ++i)
            if (!Place("speed", 0, nullptr)) return "";
        for (int32_t i = 0; i < recipe_.shields && !builderTiles.empty(); ++i) PlaceShieldBeside(builderTiles);

        const std::optional<Camera> camera = FrameGrid(width_, height_, kFramingElevation);
        if (!camera) return "";
        std::string text = "style " + style + "\nheight " + std::to_string(height_) + "\nwidth " +
                           std::to_string(width_) + "\ncamera_data\n" + CameraNumbers(*camera) + "\nobjects " +
                           std::to_string(entries_.size()) + "\n";
        for (const Entry& e : entries_)
            text += std::to_string(e.tile.x) + " " + std::to_string(e.tile.y) + " " + e.name + " 1 " + std::to_string(e.degrees) + "\n";
        const Tile last = route.tiles.back();
        text += "start 0 " + std::to_string(route.tiles.front().y) + " e\nfinish " + std::to_string(last.x) + " " +
                std::to_string(last.y) + " e\nspeed " + recipe_.speed + "\n";
        return text;
    }

private:
    bool Inside(Tile t) const { return t.x >= 0 && t.y >= 0 && t.x < width_ && t.y < height_; }

    // A free tile, tried a bounded number of times; false when none was found.
    bool FreeTile(Tile* tile) {
        for (int32_t tries = 0; tries < 200; ++tries) {
            const Tile t{random_.Below(width_), random_.Below(height_)};
            if (!taken_.count(t)) {
                *tile = t;
                return true;
            }
        }
        return false;
    }

    bool Place(const std::string& name, int32_t degrees, std::vector<Tile>* kept) {
        Tile t{};
        if (!FreeTile(&t)) return false;
        taken_.insert(t);
        entries_.push_back(Entry{t, name, degrees});
        if (kept) kept->push_back(t);
        return true;
    }

    void PlaceShieldBeside(const std::vector<Tile>& builders) {
        const Tile b = builders[static_cast<size_t>(random_.Below(static_cast<int32_t>(builders.size())))];
        static constexpr char kSides[] = {'n', 'e', 's', 'w'};
        const Tile t = Step(b, kSides[random_.Below(4)]);
        if (!Inside(t) || taken_.count(t)) return;
        taken_.insert(t);
        entries_.push_back(Entry{t, "block", 0});
    }

    // A station needs its tile and the eight around it free and on the grid.
    bool PlaceStations() {
        for (int32_t s = 0; s < recipe_.stations; ++s) {
            bool placed = false;
            for (int32_t tries = 0; tries < 100 && !placed; ++tries) {
                const Tile c{random_.Between(1, width_ - 2), random_.Between(1, height_ - 2)};
                bool free = true;
                for (int32_t dx = -1; dx <= 1; ++dx)
                    for (int32_t dy = -1; dy <= 1; ++dy) free = free && !taken_.count(Tile{c.x + dx, c.y + dy});
                if (!free) continue;
                for (int32_t dx = -1; dx <= 1; ++dx)
                    for (int32_t dy = -1; dy <= 1; ++dy) taken_.insert(Tile{c.x + dx, c.y + dy});
                entries_.push_back(Entry{c, "station", 0});
                placed = true;
            }
            if (!placed) return false;
        }
        return true;
    }

    const Recipe& recipe_;
    int32_t width_, height_;
    SeededRandom& random_;
    std::set<Tile> taken_;
    std::vector<Entry> entries_;
};

double DistanceToBand(double difficulty, const Recipe& recipe) {
    if (difficulty < recipe.bandLow) return recipe.bandLow - difficulty;
    if (difficulty > recipe.bandHigh) return difficulty - recipe.bandHigh;
    return 0.0;
}

}  // namespace

bool ParseDifficulty(std::string_view word, Difficulty* difficulty) {
    for (Difficulty d : {Difficulty::Easy, Difficulty::Medium, Difficulty::Hard})
        if (word == DifficultyName(d)) {
            *difficulty = d;
            return true;
        }
    return false;
}

const char* DifficultyName(Difficulty difficulty) {
    switch (difficulty) {
        case Difficulty::Easy: return "easy";
        case Difficulty::Medium: return "medium";
        case Difficulty::Hard: return "hard";
    }
    return "medium";
}

void DefaultGrid(Difficulty difficulty, int32_t* width, int32_t* height) {
    const Recipe& recipe = kRecipes[static_cast<int>(difficulty)];
    *width = recipe.width;
    *height = recipe.height;
}

std::optional<GeneratedLevel> GenerateLevel(const GenerateRequest& request, ResourceCatalogue* catalogue,
                                            const ModelList* models) {
    const Recipe& recipe = kRecipes[static_cast<int>(request.difficulty)];
    int32_t width = request.width, height = request.height;
    if (width <= 0 || height <= 0) DefaultGrid(request.difficulty, &width, &height);
    const std::string style = catalogue && catalogue->styles.count(0) ? catalogue->styles.at(0) : "standard";
    // The seed, the difficulty and the grid all choose the level.
    SeededRandom random(request.seed + '\0' + DifficultyName(request.difficulty) + '\0' + std::to_string(width) + "x" +
                        std::to_string(height));
    std::optional<GeneratedLevel> best;
    double bestDistance = 0.0;
    for (int32_t attempt = 1; attempt <= kAttempts; ++attempt) {
        Attempt maker(recipe, width, height, random);
        const std::string text = maker.Make(style);
        if (text.empty() || Fails(CheckLevelText(text, models), true)) continue;
        Level level(nullptr, catalogue);
        if (level.LoadText(text) != 0 || level.loadStop) continue;
        std::vector<Bullet> bullets;
        Solution win;
        const LevelStats stats = MeasureLevelIn(level, bullets, recipe.nodes, &win);
        if (!stats.won) continue;
        const double distance = DistanceToBand(stats.difficulty, recipe);
        if (!best || distance < bestDistance) {
            best = GeneratedLevel{text, win, stats, attempt};
            bestDistance = distance;
        }
        if (distance == 0.0) break;
    }
    return best;
}

#include "authoring/TrackDistance.h"

#include <deque>
#include <vector>

#include "level/Level.h"
#include "level/Tiles.h"

namespace {

constexpr int64_t kMaxWalkedTiles = int64_t{1} << 20;

bool IsTrack(const std::string& name) { return name == "rails" || name == "railscorner"; }

}  // namespace

bool IsBuilder(const std::string& name) { return name == "rturn" || name == "lturn" || name == "rrecht"; }

bool IsShootable(const std::string& name) {
    return IsBuilder(name) || name == "50pts" || name == "100pts" || name == "speed";
}

int32_t TrackDistance(const Level& level) {
    if (level.trackEndX == level.finishX && level.trackEndY == level.finishY) return 0;
    const int64_t tiles = static_cast<int64_t>(level.width) * level.height;
    if (level.width < 1 || level.height < 1 || tiles > kMaxWalkedTiles) return 0;
    if (!level.InsideGrid(level.finishX, level.finishY)) return kUnreachable;

    // What the track sees on each tile is its first object; a removed one leaves the tile free.
    enum : uint8_t { kFree, kTrack, kTarget, kWall };
    std::vector<uint8_t> tile(static_cast<size_t>(tiles), kFree);
    std::vector<bool> seen(static_cast<size_t>(tiles), false);
    const auto index = [&](int32_t x, int32_t y) { return static_cast<size_t>(y) * level.width + x; };
    for (const LevelObject& o : level.objects) {
        if (!level.InsideGrid(o.x, o.y) || seen[index(o.x, o.y)]) continue;
        seen[index(o.x, o.y)] = true;
        tile[index(o.x, o.y)] = o.removed ? kFree : IsTrack(o.name) ? kTrack : IsShootable(o.name) ? kTarget : kWall;
    }

    int32_t x, y;
    StepFrom(level.trackEndX, level.trackEndY, level.trackEndHeading, &x, &y);
    // The next piece goes on that tile: it must be free now or once its target is shot (track
    // there did not join, or the trace would have gone on).
    if (!level.InsideGrid(x, y) || tile[index(x, y)] == kTrack || tile[index(x, y)] == kWall) return kUnreachable;

    std::vector<int32_t> distance(static_cast<size_t>(tiles), -1);
    std::deque<std::pair<int32_t, int32_t>> queue{{x, y}};
    distance[index(x, y)] = 1;
    while (!queue.empty()) {
        const auto [cx, cy] = queue.front();
        queue.pop_front();
        const int32_t d = distance[index(cx, cy)];
        if (cx == level.finishX && cy == level.finishY) return d;
        for (char heading : {'n', 'e', 's', 'w'}) {
            int32_t nx, ny;
            StepFrom(cx, cy, heading, &nx, &ny);
            if (!level.InsideGrid(nx, ny) || distance[index(nx, ny)] >= 0 || tile[index(nx, ny)] == kWall) continue;
            distance[index(nx, ny)] = d + 1;
            queue.emplace_back(nx, ny);
        }
    }
    return kUnreachable;
}

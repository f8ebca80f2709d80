#include "state/LevelProgression.h"

#include <memory>

#include "state/FloorGrid.h"
#include "level/Level.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"

namespace {

// width + 1 and height + 1 line counts, wrapping instead of overflowing for absurd sizes (the
// grid then refuses to build).
int32_t LineCount(int32_t tiles) { return static_cast<int32_t>(static_cast<uint32_t>(tiles) + 1u); }

uint64_t startCount = 0;
std::string startedPath;
KeepLoading loadCheck;
std::string onlyLevel;  // when set, the one level every index plays

}  // namespace

void SetLevelLoadCheck(KeepLoading keepLoading) { loadCheck = std::move(keepLoading); }

uint64_t LevelStartCount() { return startCount; }

const std::string& StartedLevelPath() { return startedPath; }

std::string LevelPath(const std::string& name) {
    std::string path = "levels/" + name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

void PlayOnlyLevel(const std::string& path) { onlyLevel = path; }

int32_t LoadLevel(int32_t index) {
    if (!g_catalogue) return 1;
    if (!onlyLevel.empty()) {
        g_levelIndex = 0;
        return LoadLevelFromPath(onlyLevel);
    }
    const auto count = g_catalogue->levels.size();
    if (index < 0 || static_cast<size_t>(index) >= count) {
        g_levelIndex = 0;
        // With no level at all, wrapping would ask for level 0 again without end.
        if (count == 0) {
            g_level.reset();
            return 1;
        }
        return LoadLevel(0);
    }
    return LoadLevelFromPath(LevelPath(g_catalogue->levels[static_cast<size_t>(index)]));
}

int32_t LoadLevelFromPath(const std::string& path) {
    if (!g_catalogue) return 1;
    // Bullets point at the level they were fired in, so they go before that level does.
    g_bullets.clear();
    g_level = std::make_unique<Level>(g_device, g_catalogue, path, loadCheck);
    if (g_level->loadCancelled) {
        // A level cut short is never played: the caller is on its way out.
        g_level.reset();
        return 2;
    }
    ++startCount;
    startedPath = path;
    MakeFloorGrid(*g_level);
    // A file that stopped before "camera_data" has no camera; the view in use stays.
    if (g_level->camera) g_camera = *g_level->camera;
    return 0;
}

int32_t StartLevel(std::unique_ptr<Level> level, const std::string& path) {
    if (!g_catalogue || !level) return 1;
    g_bullets.clear();
    g_level = std::move(level);
    ++startCount;
    startedPath = path;
    MakeFloorGrid(*g_level);
    if (g_level->camera) g_camera = *g_level->camera;
    return 0;
}

void MakeFloorGrid(const Level& level) {
    g_grid = std::make_unique<FloorGrid>(g_device, 10.0f * static_cast<float>(level.height),
                                         10.0f * static_cast<float>(level.width), 0.0f, LineCount(level.width),
                                         LineCount(level.height));
}

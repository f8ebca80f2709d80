// Times the game's level load in-process: LoadLevelFromPath, the function the game calls when it
// starts a level, from the file's first byte to the level, its tile index and its floor grid ready
// to draw. The device records instead of drawing (the grid's vertices are the only thing uploaded,
// a few thousand of them), and the load is asked whether to go on exactly as the game asks.
// Only interfaces that the previous releases have too are used, so bench/level_speed.sh builds
// this same file against the old tree for the baseline.
// Usage: tracklet-level-load LEVEL_FILE
// Prints one line: "load WALL_S CPU_S objects N asked K peak_kb M".
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "level/Level.h"
#include "platform/ProcessMemory.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    PrepareLargeBufferMemory();
    if (argc != 2) {
        std::fprintf(stderr, "usage: tracklet-level-load LEVEL_FILE\n");
        return 2;
    }
    RecordingDevice device;
    ResourceCatalogue catalogue(nullptr, nullptr);  // no device: loads no style, as the load needs none
    g_device = &device;
    g_catalogue = &catalogue;
    long asked = 0;
    SetLevelLoadCheck([&asked]() { return ++asked, true; });

    const auto wall0 = std::chrono::steady_clock::now();
    const double cpu0 = ProcessSeconds();
    const int32_t status = LoadLevelFromPath(argv[1]);
    const double cpu = ProcessSeconds() - cpu0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const size_t objects = g_level ? g_level->objects.size() : 0;
    std::printf("load %.3f %.3f objects %zu asked %ld peak_kb %ld\n", wall, cpu, objects, asked, usage.ru_maxrss);
    std::fflush(stdout);
    // Ends without tearing down: the globals would outlive the device and catalogue made here.
    std::_Exit(status == 0 && g_level && !g_level->loadStop ? 0 : 1);
}

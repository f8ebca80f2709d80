#include "shell/BenchRun.h"

#include <cstdio>
#include <cstdlib>

#include "state/GameState.h"

namespace {

int64_t g_benchFrames = 0;  // 0: not a measured run
int64_t g_benchFrame = 0;
int64_t g_benchStart = 0;
int64_t g_benchFrequency = 1;

}  // namespace

void StartBenchRun(int64_t now, int64_t frequency) {
    const char* frames = std::getenv("TRACKLET_BENCH_FRAMES");
    g_benchFrames = frames ? std::strtoll(frames, nullptr, 10) : 0;
    g_benchStart = now;
    g_benchFrequency = frequency > 0 ? frequency : 1;
    const char* paused = std::getenv("TRACKLET_BENCH_PAUSED");
    if (paused && paused[0] == '1') {
        g_showTitleMenu = false;
        g_showIntroduction = false;
        g_paused = true;
    }
}

bool BenchRunOver(int64_t now) {
    if (g_benchFrames <= 0) return false;
    ++g_benchFrame;
    // The first tenth warms up (first uploads, the driver's shader compiles) and is not counted.
    if (g_benchFrame == g_benchFrames / 10) g_benchStart = now;
    if (g_benchFrame < g_benchFrames) return false;
    const double seconds = static_cast<double>(now - g_benchStart) / static_cast<double>(g_benchFrequency);
    const int64_t counted = g_benchFrames - g_benchFrames / 10;
    std::printf("%.1f\n", seconds > 0.0 ? static_cast<double>(counted) / seconds : 0.0);
    std::fflush(stdout);
    return true;
}

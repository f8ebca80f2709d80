#include "shell/BenchRun.h"

#include <cstdio>
#include <cstdlib>

#include "state/GameState.h"

void BenchRun::Start(int64_t now, int64_t frequency) {
    const char* frames = std::getenv("TRACKLET_BENCH_FRAMES");
    frames_ = frames ? std::strtoll(frames, nullptr, 10) : 0;
    start_ = now;
    frequency_ = frequency > 0 ? frequency : 1;
    const char* paused = std::getenv("TRACKLET_BENCH_PAUSED");
    if (paused && paused[0] == '1') {
        g_showTitleMenu = false;
        g_showIntroduction = false;
        g_paused = true;
    }
}

bool BenchRun::Over(int64_t now) {
    if (frames_ <= 0) return false;
    ++frame_;
    // The first tenth warms up (first uploads, the driver's shader compiles) and is not counted.
    if (frame_ == frames_ / 10) start_ = now;
    if (frame_ < frames_) return false;
    const double seconds = static_cast<double>(now - start_) / static_cast<double>(frequency_);
    const int64_t counted = frames_ - frames_ / 10;
    std::printf("%.1f\n", seconds > 0.0 ? static_cast<double>(counted) / seconds : 0.0);
    std::fflush(stdout);
    return true;
}

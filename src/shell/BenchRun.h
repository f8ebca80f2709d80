#pragma once
#include <cstdint>

// A measured run of the game, asked for through the environment and never set in play:
// TRACKLET_BENCH_FRAMES=N ends the main loop after N frames and prints the frames per second
// over the last nine tenths on stdout; TRACKLET_BENCH_PAUSED=1 starts on the first level, paused,
// past the title and introduction, so a standing level is what gets drawn.
class BenchRun {
public:
    // Reads the environment once and applies the paused start when asked; call before the loop.
    void Start(int64_t now, int64_t frequency);
    // True in a measured run (after Start found one asked for).
    bool Active() const { return frames_ > 0; }
    // Counts a frame; true once the last one has been counted (the rate is printed then).
    bool Over(int64_t now);

private:
    int64_t frames_ = 0;  // 0: not a measured run
    int64_t frame_ = 0;
    int64_t start_ = 0;
    int64_t frequency_ = 1;
};

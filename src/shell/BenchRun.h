#pragma once
#include <cstdint>

// Measured runs of the game, asked for through the environment and never set in play:
// TRACKLET_BENCH_FRAMES=N ends the main loop after N frames and prints the frames per second
// over the last nine tenths on stdout; TRACKLET_BENCH_PAUSED=1 starts on the first level, paused,
// past the title and introduction, so a standing level is what gets drawn.

// Reads the environment once and applies the paused start when asked; call before the loop.
void StartBenchRun(int64_t now, int64_t frequency);
// Counts one frame; true when a measured run has drawn all its frames (the report is printed).
bool BenchRunOver(int64_t now);

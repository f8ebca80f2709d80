#pragma once
#include <cstdint>

// The high-resolution counter: counts since an arbitrary start, and counts per second.
int64_t PerformanceCounter();
int64_t PerformanceFrequency();

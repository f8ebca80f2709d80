#include "platform/Clock.h"

#include <SDL.h>

int64_t PerformanceCounter() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

int64_t PerformanceFrequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }

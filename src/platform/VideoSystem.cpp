#include "platform/VideoSystem.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool Invisible(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}
}  // namespace

bool StartVideoSystem() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "Tracklet: cannot start the video system: %s\n", SDL_GetError());
        return false;
    }
    const char* current = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (Invisible(current) && !(asked && std::strcmp(asked, current) == 0)) {
        std::fprintf(stderr, "Tracklet: no display to open the window on (is DISPLAY set?)\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

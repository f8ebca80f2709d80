#pragma once

// Starts the video system on a real display. False, with a line on stderr, when there is none:
// the invisible offscreen and dummy drivers count only when asked for by name in SDL_VIDEODRIVER
// (as the pixel tests do), so a player without a display is told instead of getting a game that
// runs where nobody can see it.
bool StartVideoSystem();

#pragma once
#include <cstdint>

#include "math/Matrix4.h"
#include "platform/RenderTypes.h"
#include "platform/Result.h"

class GraphicsSystem;
class Window;

// The size of the game's window when it does not play full screen; 0 by 0 means full screen at
// the desktop's resolution.
struct WindowedSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// The game's typeface ("Times New Roman", weight 500, 25 pixels high) for the text over play;
// the touch buttons' labels take it at their own height.
FontDesc GameFontDesc();

// Sets up the device for window (full screen unless `windowed` has a size) and everything that
// needs it: transforms, font, first floor grid, floor plane, light, sound system, hidden cursor,
// and raises the title menu. kOk on success; kFail after the first failing step, whose message
// has been shown.
Result InitGraphics(Window* window, WindowedSize windowed = {});

// The same on a given graphics system, which becomes g_graphics (tests pass a fake one).
Result InitGraphics(Window* window, GraphicsSystem* system, WindowedSize windowed = {});

// Releases g_device, then g_graphics, clearing each; a second call does nothing.
void ReleaseGraphics();

// The game's one light: white, directional, shining straight down (along -z), ambient grey 0.5,
// specular 0.7.
Light GameLight();

// The game's projection for a back buffer of width by height: 60 degrees vertically, aspect
// width / height, near plane 0.5, far plane 1000.
Matrix4 GameProjection(uint32_t width, uint32_t height);

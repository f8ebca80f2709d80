#pragma once
#include <cstdint>

#include "math/Matrix4.h"
#include "platform/RenderTypes.h"
#include "platform/Result.h"

class GraphicsSystem;
class Window;

// Sets up the full-screen device for window and everything that needs it: transforms, font,
// first floor grid, floor plane, light, sound system, hidden cursor, and raises the title menu.
// kOk on success; kFail after the first failing step, whose message has been shown.
Result InitGraphics(Window* window);

// The same on a given graphics system, which becomes g_graphics (tests pass a fake one).
Result InitGraphics(Window* window, GraphicsSystem* system);

// Releases g_device, then g_graphics, clearing each; a second call does nothing.
void ReleaseGraphics();

// The game's one light: white, directional, shining straight down (along -z), ambient grey 0.5,
// specular 0.7.
Light GameLight();

// The game's projection for a back buffer of width by height: 60 degrees vertically, aspect
// width / height, near plane 0.5, far plane 1000.
Matrix4 GameProjection(uint32_t width, uint32_t height);

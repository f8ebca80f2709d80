#pragma once
#include <cstdint>
#include <string>

#include "platform/RenderTypes.h"

class Texture;

// Flat drawing for the screens of the player's profile, in back-buffer pixels on g_device.

// The whole back buffer as the viewport the game draws into; remembered the first time it is
// asked for on a device, before any screen narrows the viewport.
Viewport WholeScreen();
// Forgets the whole viewport and the quad kept for drawing images, as when the device goes.
void ForgetScreenDrawing();
// Puts the viewport back to the whole back buffer.
void RestoreWholeScreen();
// Fills the rectangle with the colour 0xAARRGGBB (depth and stencil cleared too).
void FillRect(const Rect& rect, uint32_t color);
// Draws text with g_font from the rectangle's top-left corner.
void DrawScreenText(const std::string& text, int32_t left, int32_t top, uint32_t color);
// Draws a captured image (RenderDevice::CaptureImage) stretched over the rectangle.
void DrawImage(Texture* image, const Rect& rect);
// The viewport covering the rectangle.
Viewport ViewportOf(const Rect& rect);

#pragma once
// The window-system side of a GL device, one implementation per platform: where the finished
// image goes and how its context ends.

class Window;

// The size in pixels of the surface the window shows.
void GlDrawableSize(Window* window, int* width, int* height);
// Shows what was drawn onto the window's surface.
void GlSwapWindow(Window* window);
// Makes swaps wait (or not) for the display's refresh, where the window system lets it choose.
void GlSetPresentWait(Window* window, bool wait);
// Ends a context made for the window; the device calls it last.
void GlDeleteContext(void* context);

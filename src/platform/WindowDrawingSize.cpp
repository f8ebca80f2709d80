// The image size a window shows and the mapping of its positions onto that image, the same for
// every window system: only GetClientSize asks the system.
#include "platform/Window.h"

#include <cstdint>

void Window::SetDrawingSize(int width, int height) {
    drawingWidth_ = width;
    drawingHeight_ = height;
}

void Window::ToDrawingPixels(int* x, int* y) const {
    int w = 0, h = 0;
    GetClientSize(&w, &h);
    // When the window is not the image's size (a bare X server without a window manager ignores
    // full-screen requests; a page changed its size since the start), the image is stretched over
    // the window, so positions are stretched back.
    if (w > 0 && h > 0 && (w != drawingWidth_ || h != drawingHeight_) && drawingWidth_ > 0 && drawingHeight_ > 0) {
        *x = static_cast<int>(static_cast<int64_t>(*x) * drawingWidth_ / w);
        *y = static_cast<int>(static_cast<int64_t>(*y) * drawingHeight_ / h);
    }
}

#include <SDL.h>

#include "platform/Window.h"
#include "platform/gl/GlSurface.h"

void GlDrawableSize(Window* window, int* width, int* height) {
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(window->NativeHandle()), width, height);
}

void GlSwapWindow(Window* window) { SDL_GL_SwapWindow(static_cast<SDL_Window*>(window->NativeHandle())); }

void GlDeleteContext(void* context) { SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context)); }

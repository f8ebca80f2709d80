#include <SDL.h>

#include "platform/Window.h"
#include "platform/gl/GlSurface.h"

void GlDrawableSize(Window* window, int* width, int* height) {
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(window->NativeHandle()), width, height);
}

void GlSwapWindow(Window* window) { SDL_GL_SwapWindow(static_cast<SDL_Window*>(window->NativeHandle())); }

// Drivers that insist on their own choice keep it.
void GlSetPresentWait(Window*, bool wait) { SDL_GL_SetSwapInterval(wait ? 1 : 0); }

void GlDeleteContext(void* context) { SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context)); }

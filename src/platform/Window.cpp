#include "platform/Window.h"

#include <SDL.h>

#include <cstdio>

#include "platform/Keyboard.h"
#include "platform/PlatformReset.h"
#include "platform/PostedMessages.h"
#include "platform/VideoSystem.h"

namespace {

// The one game window; events are addressed to it.
Window* g_window = nullptr;

SDL_Window* Native(const Window* window) { return static_cast<SDL_Window*>(window->NativeHandle()); }

}  // namespace

Window* Window::Create(const std::string& title, int x, int y, int width, int height, WindowProcedure procedure) {
    if (!StartVideoSystem()) return nullptr;
    // Touches arrive as touch messages alone: a finger never also clicks.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    // The game draws into a buffer of its own and only copies the finished image onto the
    // window, so the window's own surface needs no depth or stencil buffer.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_Window* native = SDL_CreateWindow(title.c_str(), x, y, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!native) {
        std::fprintf(stderr, "Tracklet: cannot create the window: %s\n", SDL_GetError());
        return nullptr;
    }
    Window* window = new Window();
    window->native_ = native;
    window->nativeId_ = SDL_GetWindowID(native);
    window->title_ = title;
    window->procedure_ = procedure;
    window->drawingWidth_ = width;
    window->drawingHeight_ = height;
    g_window = window;
    return window;
}

Window::~Window() {
    if (g_window == this) g_window = nullptr;
    if (native_) SDL_DestroyWindow(Native(this));
    // Gives back the hold on the video subsystem that Create took.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void Window::Show() { SDL_ShowWindow(Native(this)); }

void Window::CoverDisplay() {
    SDL_Rect bounds;
    const int display = SDL_GetWindowDisplayIndex(Native(this));
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) != 0) return;
    SDL_SetWindowPosition(Native(this), bounds.x, bounds.y);
    SDL_SetWindowSize(Native(this), bounds.w, bounds.h);
}

bool Window::SetFullScreenDesktop(bool fullScreen) {
    return SDL_SetWindowFullscreen(Native(this), fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void Window::SetClientSize(int width, int height) { SDL_SetWindowSize(Native(this), width, height); }

void Window::GetClientSize(int* width, int* height) const { SDL_GetWindowSize(Native(this), width, height); }

namespace {

// The finger whose touch is reported (the first one down); -1 while none is.
SDL_FingerID g_finger = -1;

// Turns a finger event into a touch message in drawing pixels; false for the other fingers.
bool TranslateFinger(Window* window, const SDL_TouchFingerEvent& finger, uint32_t type, WindowMessage* out) {
    if (!window) return false;
    if (type == SDL_FINGERDOWN && g_finger == -1) g_finger = finger.fingerId;
    if (finger.fingerId != g_finger) return false;
    if (type == SDL_FINGERUP) g_finger = -1;
    int w = 0, h = 0;
    window->GetClientSize(&w, &h);
    // Finger positions come as fractions of the window.
    int x = static_cast<int>(finger.x * static_cast<float>(w)), y = static_cast<int>(finger.y * static_cast<float>(h));
    window->ToDrawingPixels(&x, &y);
    const uint32_t message = type == SDL_FINGERDOWN ? kWmTouchDown : type == SDL_FINGERUP ? kWmTouchUp : kWmTouchMove;
    *out = {window, message, 0, MakeMouseLParam(x, y)};
    return true;
}

// Turns one SDL event into a window message; false when the event is not one.
bool Translate(const SDL_Event& event, WindowMessage* out) {
    Window* window = g_window;
    switch (event.type) {
    case SDL_QUIT:
        // The last window was closed: the default handling of a close destroys the window.
        *out = {window, kWmDestroy, 0, 0};
        return window != nullptr;
    case SDL_WINDOWEVENT:
        if (!window || event.window.windowID != window->NativeId()) return false;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            *out = {window, kWmPaint, 0, 0};
            return true;
        }
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) SystemKeyboard().Reset();
        return false;
    case SDL_MOUSEMOTION: {
        if (!window) return false;
        int x = event.motion.x, y = event.motion.y;
        window->ToDrawingPixels(&x, &y);
        const WParam buttons = (event.motion.state & SDL_BUTTON_LMASK) ? kMkLButton : 0;
        *out = {window, kWmMouseMove, buttons, MakeMouseLParam(x, y)};
        return true;
    }
    case SDL_MOUSEWHEEL: {
        if (!window || event.wheel.y == 0) return false;
        const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        *out = {window, kWmMouseWheel, static_cast<WParam>(static_cast<intptr_t>(notches)), 0};
        return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (window && event.button.button == SDL_BUTTON_RIGHT && event.type == SDL_MOUSEBUTTONDOWN) {
            int x = event.button.x, y = event.button.y;
            window->ToDrawingPixels(&x, &y);
            *out = {window, kWmRButtonDown, 0, MakeMouseLParam(x, y)};
            return true;
        }
        if (!window || event.button.button != SDL_BUTTON_LEFT) return false;
        int x = event.button.x, y = event.button.y;
        window->ToDrawingPixels(&x, &y);
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        *out = {window, down ? kWmLButtonDown : kWmLButtonUp, down ? kMkLButton : 0, MakeMouseLParam(x, y)};
        return true;
    }
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
        return TranslateFinger(window, event.tfinger, event.type, out);
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        // Keys are polled per frame, not handled as messages: record them in the keyboard state.
        const int vk = VirtualKeyFromSdl(event.key.keysym.sym);
        if (vk == 0) return false;
        if (event.type == SDL_KEYDOWN)
            SystemKeyboard().KeyDown(vk, event.key.repeat != 0);
        else
            SystemKeyboard().KeyUp(vk);
        return false;
    }
    default:
        return false;
    }
}

}  // namespace

bool PeekWindowMessage(WindowMessage* message) {
    if (TakePostedMessage(message)) return true;
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (Translate(event, message)) return true;
    return false;
}

void WaitWindowMessage(int milliseconds) {
    if (HasPostedMessage() || !SDL_WasInit(SDL_INIT_VIDEO) || milliseconds <= 0) return;
    SDL_WaitEventTimeout(nullptr, milliseconds);
}

void ShutdownVideo() {
    ClearPostedMessages();
    SystemKeyboard().Reset();
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void ResetPlatform() {
    ShutdownVideo();
    SDL_Quit();
}

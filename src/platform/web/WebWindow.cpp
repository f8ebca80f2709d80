// The game's window in the browser: the page's canvas, its mouse, its touches and the page's keyboard through
// Emscripten's HTML5 events, and the wait for the next animation frame between two frames.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <deque>

#include "platform/DomKeys.h"
#include "platform/Keyboard.h"
#include "platform/PlatformReset.h"
#include "platform/PostedMessages.h"
#include "platform/Window.h"
#include "platform/web/WebFrame.h"

namespace {

constexpr const char* kCanvas = "#canvas";

// Mouse messages from the browser's events, in the order they came.
std::deque<WindowMessage>& BrowserEvents() {
    static std::deque<WindowMessage> queue;
    return queue;
}

Window* g_window = nullptr;
bool g_shown = false;
bool g_presented = false;

// Gives the browser control until its next animation frame; events arrive meanwhile.
// Module.framesShown counts the frames presented, for the page; the first is the device's black
// one, so Module.firstFrameAt is when the game's first frame was done.
EM_ASYNC_JS(void, WaitForAnimationFrame, (), {
    Module.framesShown = (Module.framesShown || 0) + 1;
    if (Module.framesShown == 2) Module.firstFrameAt = performance.now();
    await new Promise(function(resume) { requestAnimationFrame(function() { resume(); }); });
});

EM_JS(void, ShowCanvas, (), {
    var canvas = document.getElementById('canvas');
    if (canvas) canvas.style.visibility = 'visible';
    if (Module.onGameShown) Module.onGameShown();
});

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    NoteUserGesture();
    const int vk = VirtualKeyFromDom(event->keyCode);
    if (vk == 0) return EM_FALSE;
    if (type == EMSCRIPTEN_EVENT_KEYDOWN)
        SystemKeyboard().KeyDown(vk, event->repeat != 0);
    else
        SystemKeyboard().KeyUp(vk);
    // The game's keys do not scroll the page or open the browser's help.
    return BrowserKeepsKey(vk) ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void*) {
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) NoteUserGesture();
    Window* window = g_window;
    if (!window) return EM_FALSE;
    int x = static_cast<int>(event->targetX), y = static_cast<int>(event->targetY);
    window->ToDrawingPixels(&x, &y);
    WindowMessage message{window, kWmMouseMove, 0, MakeMouseLParam(x, y)};
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        message.wParam = (event->buttons & 1) ? kMkLButton : 0;
    } else {
        if (event->button != 0) return EM_FALSE;  // the left button alone
        const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
        message.message = down ? kWmLButtonDown : kWmLButtonUp;
        message.wParam = down ? kMkLButton : 0;
    }
    BrowserEvents().push_back(message);
    return EM_TRUE;
}

// The touch whose finger is reported (the first one down); -1 while none is.
long g_touch = -1;

// The page's touches on the canvas as touch messages. Handled (so the browser neither scrolls,
// zooms nor makes mouse events of them): a touch never arrives twice.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* event, void*) {
    NoteUserGesture();
    Window* window = g_window;
    if (!window) return EM_TRUE;
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (!touch.isChanged) continue;
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART && g_touch == -1) g_touch = touch.identifier;
        if (touch.identifier != g_touch) continue;
        const bool ended = type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL;
        if (ended) g_touch = -1;
        int x = static_cast<int>(touch.targetX), y = static_cast<int>(touch.targetY);
        window->ToDrawingPixels(&x, &y);
        const uint32_t message = type == EMSCRIPTEN_EVENT_TOUCHSTART ? kWmTouchDown : ended ? kWmTouchUp : kWmTouchMove;
        BrowserEvents().push_back(WindowMessage{window, message, 0, MakeMouseLParam(x, y)});
    }
    return EM_TRUE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    // Keys released while the page had no focus never report their release.
    SystemKeyboard().Reset();
    return EM_FALSE;
}

void ListenToThePage() {
    static bool listening = false;
    if (listening) return;
    listening = true;
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(page, nullptr, EM_TRUE, OnKey);
    emscripten_set_mousemove_callback(kCanvas, nullptr, EM_TRUE, OnMouse);
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_TRUE, OnMouse);
    emscripten_set_mouseup_callback(kCanvas, nullptr, EM_TRUE, OnMouse);
    emscripten_set_touchstart_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchmove_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchend_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_touchcancel_callback(kCanvas, nullptr, EM_TRUE, OnTouch);
    emscripten_set_blur_callback(page, nullptr, EM_TRUE, OnBlur);
}

bool TakeQueued(WindowMessage* message) {
    if (TakePostedMessage(message)) return true;
    auto& events = BrowserEvents();
    if (events.empty()) return false;
    *message = events.front();
    events.pop_front();
    return true;
}

}  // namespace

void NoteFramePresented() { g_presented = true; }

Window* Window::Create(const std::string& title, int, int, int width, int height, WindowProcedure procedure) {
    ListenToThePage();
    emscripten_set_window_title(title.c_str());
    Window* window = new Window();
    window->title_ = title;
    window->procedure_ = procedure;
    window->drawingWidth_ = width;
    window->drawingHeight_ = height;
    g_window = window;
    return window;
}

Window::~Window() {
    if (g_window == this) g_window = nullptr;
}

void Window::Show() {
    g_shown = true;
    ShowCanvas();
}

// The canvas always fills the page: there is no other size or full screen to ask for.
void Window::CoverDisplay() {}
bool Window::SetFullScreenDesktop(bool) { return true; }
void Window::SetClientSize(int, int) {}

void Window::GetClientSize(int* width, int* height) const {
    double w = 0.0, h = 0.0;
    emscripten_get_element_css_size(kCanvas, &w, &h);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
}

bool PeekWindowMessage(WindowMessage* message) {
    if (TakeQueued(message)) return true;
    // The queue is dry after a presented frame: the game's loop would run the next frame at
    // once, so the browser gets its turn first. Only once the window is up, and only the first
    // time after each frame, so a level load polling the queue never waits.
    if (!g_shown || !g_presented) return false;
    g_presented = false;
    WaitForAnimationFrame();
    return TakeQueued(message);
}

// The browser paces the wait: the next look at an empty queue hands it the turn until its next
// animation frame, as after a presented frame.
void WaitWindowMessage(int) { g_presented = true; }

void ShutdownVideo() {
    ClearPostedMessages();
    BrowserEvents().clear();
    SystemKeyboard().Reset();
}

void ResetPlatform() { ShutdownVideo(); }

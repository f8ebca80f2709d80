#include "shell/WindowProc.h"

#include "graphics/GraphicsSetup.h"
#include "platform/Window.h"
#include "screens/InputPath.h"
#include "screens/PlayPointer.h"
#include "shell/MainLoop.h"
#include "state/GameState.h"

namespace {

// The mouse message as an event for a screen that takes events; false for other messages.
bool MouseEventOf(uint32_t message, WParam wParam, LParam lParam, InputEvent* event) {
    event->x = static_cast<int32_t>(MouseX(lParam));
    event->y = static_cast<int32_t>(MouseY(lParam));
    switch (message) {
        case kWmMouseMove: event->kind = InputEvent::Kind::MouseMove; return true;
        case kWmLButtonDown: event->kind = InputEvent::Kind::LeftClick; return true;
        case kWmRButtonDown: event->kind = InputEvent::Kind::RightClick; return true;
        case kWmMouseWheel:
            *event = InputEvent{InputEvent::Kind::Wheel};
            event->notches = WheelNotches(wParam);
            return true;
        default: return false;
    }
}

}  // namespace

LResult WindowProc(Window* window, uint32_t message, WParam wParam, LParam lParam) {
    InputEvent event;
    if (ScreensTakeMouse() && MouseEventOf(message, wParam, lParam, &event)) {
        PushInput(event);
        return 0;
    }
    switch (message) {
        case kWmMouseMove:
        case kWmLButtonDown:
            PointAtPixel(static_cast<int32_t>(MouseX(lParam)), static_cast<int32_t>(MouseY(lParam)),
                         message == kWmLButtonDown);
            return 0;
        case kWmTouchDown:
        case kWmTouchMove:
        case kWmTouchUp:
            TakeTouch(message, static_cast<int32_t>(MouseX(lParam)), static_cast<int32_t>(MouseY(lParam)));
            return 0;
        case kWmDestroy:
            ReleaseGraphics();
            PostQuitMessage(0);
            return 0;
        case kWmPaint:
            // Drawing happens in the frame loop; the paint only has to be acknowledged.
            ValidateWindow(window);
            return 0;
        default:
            return DefaultWindowProc(window, message, wParam, lParam);
    }
}

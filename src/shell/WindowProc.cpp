#include "shell/WindowProc.h"

#include "graphics/GraphicsSetup.h"
#include "platform/Window.h"
#include "rules/Firing.h"
#include "state/GameState.h"
#include "shell/Picking.h"
#include "shell/ProfileScreens.h"
#include "shell/ReplayRecorder.h"

LResult WindowProc(Window* window, uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
        case kWmMouseMove:
        case kWmLButtonDown: {
            if (ProfileScreenMouse(message, static_cast<int32_t>(MouseX(lParam)), static_cast<int32_t>(MouseY(lParam))))
                return 0;
            // No level or no device: nothing to pick against yet.
            if (!g_level || !g_device || !MouseMayAct()) return 0;
            const int32_t x = static_cast<int32_t>(MouseX(lParam));
            const int32_t y = static_cast<int32_t>(MouseY(lParam));
            Vec3 hit;
            if (!PickFloorPoint(x, y, &hit)) {
                // A ray along the floor: the pointer goes to the origin and nothing is fired.
                g_pointer = Vec3(0.0f, 0.0f, 0.0f);
                return 0;
            }
            g_pointer = hit;
            if (message == kWmLButtonDown) {
                RecordShot(hit);
                FireBullet(hit);
            }
            return 0;
        }
        case kWmMouseWheel:
            if (ProfileScreenWheel(WheelNotches(wParam))) return 0;
            return DefaultWindowProc(window, message, wParam, lParam);
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

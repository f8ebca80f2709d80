#include "shell/LoadInterrupt.h"

#include <cstdint>

#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/Window.h"
#include "shell/KeyboardInput.h"

namespace {

bool quitAsked = false;
int64_t lastLook = 0;

// Takes the pending messages; true when one of them ends the program.
bool QuitMessageWaiting() {
    bool quit = false;
    WindowMessage message;
    while (PeekWindowMessage(&message))
        if (message.message == kWmQuit || message.message == kWmDestroy) quit = true;
    return quit;
}

}  // namespace

bool KeepLoadingLevel() {
    if (quitAsked) return false;
    const int64_t now = PerformanceCounter();
    if (lastLook != 0 && now - lastLook < PerformanceFrequency() / 20) return true;
    lastLook = now;
    if (QuitMessageWaiting() || KeyCountsAsPressed(SystemKeyboard().GetAsyncKeyState(kVkEscape))) {
        quitAsked = true;
        PostQuitMessage(0);
        return false;
    }
    return true;
}

bool QuitAskedDuringLoad() { return quitAsked; }

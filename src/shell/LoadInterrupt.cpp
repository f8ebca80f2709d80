#include "shell/LoadInterrupt.h"

#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "profile/ProfileSession.h"
#include "platform/Window.h"
#include "screens/InputPath.h"

namespace {

// Takes the pending messages; true when one of them ends the program.
bool QuitMessageWaiting() {
    bool quit = false;
    WindowMessage message;
    while (PeekWindowMessage(&message))
        if (message.message == kWmQuit || message.message == kWmDestroy) quit = true;
    return quit;
}

}  // namespace

bool LoadInterrupt::KeepLoadingLevel(InputPath& input) {
    if (quitAsked_) return false;
    const int64_t now = PerformanceCounter();
    if (lastLook_ != 0 && now - lastLook_ < PerformanceFrequency() / 20) return true;
    lastLook_ = now;
    if (QuitMessageWaiting() || input.PeekPressed(BoundKey(Action::Back))) {
        quitAsked_ = true;
        PostQuitMessage(0);
        return false;
    }
    return true;
}

#include "shell/ScreenKeys.h"

#include "platform/Keyboard.h"
#include "shell/KeyboardInput.h"

void ScreenKeys::Poll() {
    before_ = now_;
    Keyboard& keyboard = InputKeyboard();
    for (int vk = 1; vk < 256; ++vk) now_[vk] = KeyCountsAsPressed(keyboard.GetAsyncKeyState(vk));
}


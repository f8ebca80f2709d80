#include "shell/ScreenKeys.h"

#include "platform/Keyboard.h"
#include "shell/KeyboardInput.h"

void ScreenKeys::Poll() {
    before_ = now_;
    Keyboard& keyboard = InputKeyboard();
    for (int vk = 1; vk < 256; ++vk) {
        const uint16_t state = keyboard.GetAsyncKeyState(vk);
        now_[vk] = KeyCountsAsPressed(state);
        fresh_[vk] = (state & Keyboard::kPressedSince) != 0;
    }
}


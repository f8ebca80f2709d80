#pragma once
#include "platform/Keyboard.h"
#include "screens/InputPath.h"
#include "screens/Screen.h"

// Drives one screen a frame at a time with a fake keyboard read through an input path.
class ScreenDriver {
protected:
    FakeKeyboard keys;
    InputPath input;

    ScreenDriver() { input.SetSource(&keys); }
    // One frame on `screen`: the keys as they are now and the events pushed since the last one.
    ScreenChange::Kind Frame(Screen& screen) {
        input.BeginFrame();
        ScreenFrame frame{0.1f, 0, input};
        return screen.Update(frame).kind;
    }
    // A tap between two frames: it goes down in this frame and comes up in the next.
    ScreenChange::Kind Tap(Screen& screen, int vk) {
        keys.Set(vk, Keyboard::kPressedSince);
        return Frame(screen);
    }
};

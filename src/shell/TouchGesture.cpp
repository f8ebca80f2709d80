#include "shell/TouchGesture.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/MenuScreens.h"
#include "graphics/TouchButtons.h"
#include "platform/WindowMessages.h"
#include "profile/ProfileSession.h"
#include "screens/InputPath.h"
#include "screens/PlayPointer.h"

void TouchGesture::Take(uint32_t message, int32_t x, int32_t y, bool screensTakeMouse, int32_t height,
                        InputPath& input) {
    // A notch of the wheel per this many pixels dragged; a finger that moves less is a tap.
    const int32_t step = std::max<int32_t>(24, height / 16);
    if (message == kWmTouchDown) {
        input.NoteTouch();
        if (heldKey_ != 0) return;
        int key = TouchButtonKeyAt(x, y);
        if (key == 0 && !screensTakeMouse) key = MenuTapKey(x, y);
        if (key != 0) {
            heldKey_ = ChosenKey(key);
            input.Hold(heldKey_, true);
        } else if (screensTakeMouse) {
            down_ = true;
            dragging_ = false;
            startY_ = wheelY_ = y;
        } else {
            PointAtPixel(x, y, true);
        }
        return;
    }
    if (heldKey_ != 0) {
        if (message == kWmTouchUp) {
            input.Hold(heldKey_, false);
            heldKey_ = 0;
        }
        return;
    }
    if (!down_) return;
    if (message == kWmTouchMove) {
        if (std::abs(y - startY_) >= step) dragging_ = true;
        if (!dragging_) return;
        // A finger moved down pulls the list down, showing the rows above: the wheel turned away.
        const int32_t notches = (y - wheelY_) / step;
        if (notches == 0) return;
        InputEvent wheel{InputEvent::Kind::Wheel};
        wheel.notches = notches;
        input.Push(wheel);
        wheelY_ += notches * step;
        return;
    }
    if (message != kWmTouchUp) return;
    down_ = false;
    if (dragging_) return;
    InputEvent move{InputEvent::Kind::MouseMove};
    move.x = x, move.y = y;
    input.Push(move);
    InputEvent click = move;
    click.kind = InputEvent::Kind::LeftClick;
    input.Push(click);
}

#pragma once
#include <cstdint>

class InputPath;

// What one finger does, turned into the input the game already takes:
// - on a shown touch button (graphics/TouchButtons.h) it holds that button's key while it is down,
//   and nothing else;
// - on play and its menu screens, where the window procedure takes the mouse, it holds the key a
//   menu screen gives the tap (MenuTapKey), or in play fires where it was put down, as a click;
// - on the screens that take mouse events a tap is a click where the finger was lifted, and a
//   drag up or down turns the wheel, a notch per `step` pixels, so a list follows the finger.
class TouchGesture {
public:
    // Takes one touch message (kWmTouchDown, kWmTouchMove, kWmTouchUp) at client pixel (x, y);
    // `screensTakeMouse`: the screen on top takes mouse events; `height`: the picture's height.
    void Take(uint32_t message, int32_t x, int32_t y, bool screensTakeMouse, int32_t height, InputPath& input);

private:
    int heldKey_ = 0;        // the key held down for the finger; 0: none
    bool down_ = false;      // a finger is down on a screen that takes mouse events
    bool dragging_ = false;  // it has moved far enough to be a drag, not a tap
    int32_t startY_ = 0;     // where it went down
    int32_t wheelY_ = 0;     // where the last notch was turned (the start until one is)
};

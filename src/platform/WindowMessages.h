#pragma once
#include <cstdint>

// The window messages the game's window procedure handles, with the values and parameter packing
// the game is written against.
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

constexpr uint32_t kWmDestroy = 0x0002;
constexpr uint32_t kWmPaint = 0x000F;
constexpr uint32_t kWmQuit = 0x0012;
constexpr uint32_t kWmMouseMove = 0x0200;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmRButtonDown = 0x0204;
constexpr uint32_t kWmMouseWheel = 0x020A;
// One finger on a touch screen, lParam packed as a mouse message's: put down, moved, lifted. Only
// the first finger of a touch is reported; the others until all are lifted are not.
constexpr uint32_t kWmTouchDown = 0x0241;
constexpr uint32_t kWmTouchMove = 0x0242;
constexpr uint32_t kWmTouchUp = 0x0243;

// The wheel's turn in a kWmMouseWheel message's wParam: +1 a notch away from the player, -1 towards.
inline int WheelNotches(WParam wParam) { return static_cast<int>(static_cast<intptr_t>(wParam)); }

// wParam bit of mouse messages: the left button is down.
constexpr WParam kMkLButton = 0x0001;

// Client coordinates packed into a mouse message's lParam: x in the low 16 bits, y in the high.
inline LParam MakeMouseLParam(int x, int y) {
    return static_cast<LParam>((static_cast<uint32_t>(x) & 0xFFFFu) | ((static_cast<uint32_t>(y) & 0xFFFFu) << 16));
}
// The unsigned x and y of a mouse message's lParam.
inline uint32_t MouseX(LParam lParam) { return static_cast<uint32_t>(lParam) & 0xFFFFu; }
inline uint32_t MouseY(LParam lParam) { return (static_cast<uint32_t>(lParam) >> 16) & 0xFFFFu; }

class Window;

// A window procedure: answers one message sent to the window.
using WindowProcedure = LResult (*)(Window* window, uint32_t message, WParam wParam, LParam lParam);

struct WindowMessage {
    Window* window = nullptr;  // null for thread messages such as the quit message
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

#pragma once
#include <cstdint>

#include "platform/WindowMessages.h"

// The game window's procedure: the mouse keeps g_pointer on the floor under the cursor and a
// left click fires a bullet towards it (only in unpaused play); destroying the window releases
// the device and posts the quit message; touches go to the main loop (TakeTouch). Answers 0 to
// the messages it handles.
LResult WindowProc(Window* window, uint32_t message, WParam wParam, LParam lParam);

// In unpaused play with a level: puts g_pointer on the floor under client pixel (x, y) and, when
// `fire`, records and fires a shot towards it, as the mouse does. A touch's tap comes here too.
void AimInPlay(int32_t x, int32_t y, bool fire);

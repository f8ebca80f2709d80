#pragma once
#include <cstdint>

#include "platform/WindowMessages.h"

// The game window's procedure: the mouse keeps g_pointer on the floor under the cursor and a
// left click fires a bullet towards it (only in unpaused play); destroying the window releases
// the device and posts the quit message; touches go to the main loop (TakeTouch). Answers 0 to
// the messages it handles.
LResult WindowProc(Window* window, uint32_t message, WParam wParam, LParam lParam);

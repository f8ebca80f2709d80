#pragma once
#include "platform/WindowMessages.h"

// The messages the program posts itself (PostQuitMessage, PostWindowMessage), which every window
// system's PeekWindowMessage hands out before its own events.

// Moves the oldest posted message into `message`; false when none waits.
bool TakePostedMessage(WindowMessage* message);
// True when a posted message waits to be taken.
bool HasPostedMessage();
// Forgets every posted message, as the window system shuts down.
void ClearPostedMessages();

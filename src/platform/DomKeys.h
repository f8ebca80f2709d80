#pragma once
#include <cstdint>

// Maps a browser key event's key code to the game's virtual-key code; 0 for keys the game has no
// code for. The browser's codes for letters, digits, F-keys, arrows and the rest of the game's
// keys are the same numbers as the virtual-key codes.
int VirtualKeyFromDom(uint32_t keyCode);

// True when the browser should still act on the key (its own shortcuts: F5 reloads, F11 goes full
// screen, F12 opens the tools); every other key the game reads is the game's alone.
bool BrowserKeepsKey(int virtualKey);

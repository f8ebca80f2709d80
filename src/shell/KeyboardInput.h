#pragma once
#include <cstdint>
#include <string>

class Keyboard;

// Makes HandleKeyboard read keyboard (tests pass a fake); null restores the system keyboard.
void SetInputKeyboard(Keyboard* keyboard);
// The keyboard HandleKeyboard reads.
Keyboard& InputKeyboard();

// The paused game's camera keys: W S A D R F walk, strafe and fly, the arrows pitch and yaw,
// N and M roll, each by its speed times dt.
void FlyFreeCamera(float dt);

// Makes C write the camera to `path` (its folder is created when missing); "camera.txt", in the
// current folder, until called.
void SetCameraFile(const std::string& path);

// True when a polled key state counts as pressed: down now, or pressed since the last query.
bool KeyCountsAsPressed(uint16_t state);

// Polls the keys once for this frame and acts on them: screen changes, level loads, toggles
// (on release), camera moves while paused, the camera file. Returns 1 when the program is to
// end (Escape released on the title menu), otherwise 0.
int HandleKeyboard(float dt);

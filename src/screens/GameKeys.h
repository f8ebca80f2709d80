#pragma once
#include <string>

class Keyboard;

// What the game's own keys act through: the keyboard they poll (the input path's polled view, or
// a test's fake) and the file C writes the camera to (its folder is created when missing).
struct GameKeys {
    Keyboard& keys;
    const std::string& cameraFile;
};

// The paused game's camera keys: W S A D R F walk, strafe and fly, the arrows pitch and yaw,
// N and M roll, each by its speed times dt.
void FlyFreeCamera(float dt, Keyboard& keys);

// Polls the keys once for this frame and acts on them: screen changes, level loads, toggles
// (on release), camera moves while paused, the camera file. Returns 1 when the program is to
// end (Escape released on the title menu), otherwise 0.
int HandleKeyboard(float dt, const GameKeys& context);

// Polls `vk` as a latched key: true once, in the first poll after it stops counting as pressed.
bool PolledRelease(Keyboard& keys, int vk, bool& latch);

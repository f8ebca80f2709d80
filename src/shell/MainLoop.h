#pragma once
#include <cstdint>

class FrameTimer;

// Runs one frame at counter reading now: keyboard, update (only in unpaused play), drawing of
// the game or the menu screen that is up, music upkeep. False when the keyboard ended the program
// (nothing is updated or drawn then).
bool RunFrame(FrameTimer& timer, int64_t now);

// Alternates between draining the window's messages and running frames, without ever sleeping,
// until the quit message arrives or the keyboard ends the program.
void RunMainLoop();

// True when a menu screen is up instead of the game scene.
bool MenuScreenUp();

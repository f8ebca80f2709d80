#pragma once
#include <cstdint>
#include <string>

class FrameTimer;

// The screens of the player's profile beside the game's own: the level list (L on the title),
// the settings (O on the title) and watching a run (W on the list, or --replay). While one is up
// it takes the keyboard and the mouse and draws the frame; F11 toggles full screen on any screen.

// Runs the frame when a profile screen is up, or when the keys open one (then true); false
// leaves the frame to the game. F11 is acted on either way.
bool RunProfileFrame(FrameTimer& timer, float dt, int64_t now);

// Hands a mouse message at (x, y) to the screen that is up; false when none is.
bool ProfileScreenMouse(uint32_t message, int32_t x, int32_t y);

// Hands a turn of the mouse wheel (notches away from the player) to the screen that is up; false
// when none is.
bool ProfileScreenWheel(int notches);

// Starts watching the recording in file, as W on the list does; on a run that cannot be watched
// says why (stderr) and stays on the title. Back to the title when it ends.
void WatchRecording(const std::string& file);

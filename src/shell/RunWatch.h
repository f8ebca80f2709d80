#pragma once
#include <string>

class ScreenKeys;

// Watching a recorded run in the game window: each part's level loaded as the player saw it, the
// rules driven by the recorded frame times and shots, with sound. Tab toggles four times speed,
// Pause pauses (the camera keys then fly as in a paused game), Escape stops. At the end of each
// part its state of play is printed on stdout as one line of JSON (as tracklet-sim's "print" does).

// Starts watching the recording in `file`. False, with the reason in *why, when it cannot be read,
// names no level, or a level it names is missing or has changed since the run was recorded.
bool StartWatching(const std::string& file, std::string* why);

// One frame of watching: keys, playback, drawing. False once Escape has stopped it.
bool WatchFrame(const ScreenKeys& keys, float dt, int fps);

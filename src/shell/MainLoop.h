#pragma once
#include <cstdint>
#include <string>

class FrameTimer;
class Keyboard;
struct EditModeOptions;
struct InputEvent;

// The program's one loop and what it owns: the input path, the stack of screens that are up, the
// level-file watch, the load interrupt and a measured run. One exists for the process.

// Makes the input path read `keyboard` (tests pass a fake); null restores the system keyboard.
void SetInputKeyboard(Keyboard* keyboard);

// Makes C write the camera to `path`; "camera.txt", in the current folder, until called.
void SetCameraFile(const std::string& path);

// From now on the file of the level in play is watched and reloaded when it changes (--watch).
void WatchLevelFiles();

// Whether a long level load may go on (see LoadInterrupt); for SetLevelLoadCheck.
bool KeepLoadingLevel();
// True once a level load was stopped to end the program.
bool QuitAskedDuringLoad();

// Runs one frame at counter reading now on the screen on top (play, with its menu screens, when
// none is up yet): input, the screen's update, the game's upkeep, drawing, music. False when the
// program is to end (nothing is drawn then).
bool RunFrame(FrameTimer& timer, int64_t now);

// Alternates between draining the window's messages and running frames, without ever sleeping,
// until the quit message arrives or the screens end the program.
void RunMainLoop();

// Runs the level editor in the game's window (set up, with the catalogue loaded) until the author
// quits it or closes the window. Returns the exit status (0).
int RunEditMode(const EditModeOptions& options);

// Starts watching the recording in file over the title menu, as W on the level list does; on a
// run that cannot be watched says why (stderr) and stays on the title.
void WatchRecording(const std::string& file);

// True when the screen on top takes the mouse as events (every screen but play).
bool ScreensTakeMouse();
// Hands a mouse event to the screen on top, for its next frame.
void PushInput(const InputEvent& event);
// Takes one touch message at client pixel (x, y) for the screen on top (see TouchGesture).
void TakeTouch(uint32_t message, int32_t x, int32_t y);

// Puts the loop's state back as the program starts it: no screens, the system keyboard, the
// camera file "camera.txt", nothing watched or measured, no profile, no recording, no screen
// drawing kept. For tests.
void ResetMainLoop();

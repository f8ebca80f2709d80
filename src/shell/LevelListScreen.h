#pragma once
#include <cstdint>

class ScreenKeys;

// The level list: every level of levels.txt with its number, name, a picture of its opening view,
// whether it was won, its best score and time. Pictures are drawn once, when first shown, and kept.

// What the player asked for on the list.
struct ListChoice {
    enum class Kind { None, Play, Watch, Back };
    Kind kind = Kind::None;
    int32_t level = 0;
};

// Opens the list with the current level chosen.
void OpenLevelList();

// Acts on this frame's keys: Up and Down move, Space or Enter plays, W watches, Escape goes back.
ListChoice LevelListKeys(const ScreenKeys& keys);

// The mouse at (x, y), back-buffer pixels: a move chooses the row under it, a click plays it.
ListChoice LevelListMouse(bool click, int32_t x, int32_t y);

// The mouse wheel turned `notches` away from the player: the choice moves up as many levels
// (towards the player, down), the list scrolling with it.
void LevelListWheel(int notches);

// Draws and presents one frame of the list (making the pictures it shows that are not made yet).
void DrawLevelList();

// A line over the list about the chosen level (a run that cannot be watched), until the choice
// moves.
void SayOnLevelList(const char* text);

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

// Draws and presents one frame of the list (making the pictures it shows that are not made yet).
void DrawLevelList();

// A line over the list for a few seconds (a run that cannot be watched).
void SayOnLevelList(const char* text);

#pragma once
#include <string>

// What `tracklet --edit FILE [--grid WxH]` asks for.
struct EditModeOptions {
    std::string file;      // the level file, relative to the data folder or absolute
    int gridWidth = 8;     // the grid of a new level
    int gridHeight = 6;
};

// Runs the level editor in the game's window (set up, with the catalogue loaded) until the
// author quits it or closes the window: editing with the keys and the mouse, test play in the
// game's own play mode (Space) with its run recorded as `--record` writes it. Returns the exit
// status (0).
int RunEditMode(const EditModeOptions& options);

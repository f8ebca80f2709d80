#pragma once
#include <iosfwd>
#include <string>

#include "profile/LevelIdentity.h"  // ReadableLevelName

// What `render` draws and where it writes it.
struct RenderRequest {
    std::string level;   // the level file (a path used as given); unused with a sheet
    std::string sheet;   // a level list ("levels.txt"); when set, every listed level on one image
    std::string output;  // the PNG file to write
    int width = 1024;    // the image (with a sheet: each tile) in pixels
    int height = 768;
    bool top = false;    // a plan view from straight above the grid's centre instead of the level's camera
    std::string after;   // a tracklet-sim script to run on the level before drawing; empty: none
};

// The largest image side render makes, and the most levels one sheet holds.
inline constexpr int kMaxRenderSide = 8192;
inline constexpr int kMaxSheetLevels = 100;

// render: draws the level as the game shows it when play starts (or after the script), with
// the game's own drawing code on an off-screen GL device, and writes it as a PNG. Runs in a data
// folder. 0 when the file was written; 1, with the message on err and no file written, when a
// level, the style, the script or the device fails.
int RunRender(const RenderRequest& request, std::ostream& err);

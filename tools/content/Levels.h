#pragma once
#include <string>
#include <vector>

#include "camera/Camera.h"

// One object entry of a level file.
struct LevelEntry {
    int x, y;
    std::string name;
    float scale;
    int degrees;
};

// One level as the generator writes it; the camera is computed from the grid size.
struct LevelDesign {
    std::string fileName;
    int width, height;
    std::vector<LevelEntry> objects;
    int startX, startY;
    char startHeading;
    int finishX, finishY;
    char finishHeading;
    float speed;
};

// The ten shipped levels, easiest first.
std::vector<LevelDesign> MakeLevels();

// A camera south of the grid looking north and down at `elevationDegrees`, placed so the whole
// grid fits inside the view at every aspect ratio from 5:4 up, with a margin.
Camera FrameGrid(int width, int height, float elevationDegrees);

// The text of the level file.
std::string LevelText(const LevelDesign& level, const std::string& style);

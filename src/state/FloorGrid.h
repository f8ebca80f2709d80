#pragma once
#include <cstdint>

class RenderDevice;

// The line list that marks the tile borders on the floor.
class FloorGrid {
public:
    float z;
    float sizeY;
    float sizeX;
    int32_t xLineCount;
    int32_t yLineCount;
    RenderDevice* device;  // not owned

    // Stores its arguments (y extent before x extent), writes the grid material and builds the
    // vertex buffer (its result ignored).
    FloorGrid(RenderDevice* device, float sizeY, float sizeX, float z, int32_t xLineCount, int32_t yLineCount);
    // Fills a new vertex buffer with two vertices per line; 0 on success, 1 on failure (also for
    // line counts that cannot make a grid).
    int BuildVertexBuffer();
    // Draws the lines with the current world transform; nothing when the build failed.
    void Draw();
};

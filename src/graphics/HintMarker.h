#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// What a hint shows over play: its line of text and, once a win is found, the tile of the target
// to shoot.
struct HintShown {
    std::string line;
    std::optional<std::pair<int32_t, int32_t>> tile;
};

// Draws a flat red ring round the hint's tile (none without one), lying just above the floor and
// wider than a tile so that no object on the tile hides all of it, and the hint's line at (0, 60)
// in red, over whatever play has drawn.
void DrawHint(const HintShown& hint);

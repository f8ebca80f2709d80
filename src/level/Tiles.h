#pragma once
#include <cstdint>

// Tile and heading arithmetic shared by the loader, the track rules and the train.

// Single-precision pi, the value every angle conversion of the game uses.
inline constexpr float kPi = 3.1415927f;

// True for the four headings 'n', 'e', 's', 'w'.
inline bool IsHeading(char heading) {
    return heading == 'n' || heading == 'e' || heading == 's' || heading == 'w';
}

// The tile one step from (x, y) in heading: 'n' y-1, 'e' x+1, 's' y+1, 'w' x-1; any other
// character leads nowhere and gives (x, y). Coordinates wrap instead of overflowing.
inline void StepFrom(int32_t x, int32_t y, char heading, int32_t* nx, int32_t* ny) {
    // Unsigned arithmetic wraps where signed would overflow at the int32 limits a damaged level
    // file can name; such a tile is off the grid either way.
    const auto add = [](int32_t v, int32_t d) { return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(d)); };
    *nx = x;
    *ny = y;
    switch (heading) {
        case 'n': *ny = add(y, -1); break;
        case 'e': *nx = add(x, 1); break;
        case 's': *ny = add(y, 1); break;
        case 'w': *nx = add(x, -1); break;
        default: break;
    }
}

// degrees * (pi / 180) in single precision: the angle stored for a turn read or laid.
inline float DegreesToRadians(float degrees) { return degrees * (kPi / 180.0f); }

// The world coordinate of a tile's centre, 10 * index + 5, formed in double from the integer.
inline float TileCentre(int32_t index) { return static_cast<float>(10.0 * index + 5.0); }

#pragma once
#include <cstdint>
#include <string>

#include "level/LevelObject.h"
#include "level/Tiles.h"

// A level object of the given kind on tile (x, y), turned by whole degrees as a level file writes it.
inline LevelObject Object(const std::string& name, int32_t x, int32_t y, int32_t degrees = 0) {
    LevelObject o;
    o.name = name;
    o.x = x;
    o.y = y;
    o.degrees = degrees;
    o.angle = DegreesToRadians(static_cast<float>(degrees));
    return o;
}

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "level/Level.h"
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

// A 10 by 10 level, train on (0, 5) heading east, finish (9, 5) east, the given objects on it and
// the track traced from the train's tile in `heading`.
inline std::unique_ptr<Level> EmptyLevel(ResourceCatalogue* catalogue = nullptr, std::vector<LevelObject> objects = {},
                                         char heading = 'e') {
    auto level = std::make_unique<Level>(nullptr, catalogue, "");
    level->width = level->height = 10;
    level->trainY = level->finishY = 5;
    level->finishX = 9;
    level->trainHeading = level->finishHeading = 'e';
    level->objects = std::move(objects);
    level->objectCount = static_cast<int32_t>(level->objects.size());
    level->TraceTrackEnd(0, 5, heading);
    return level;
}

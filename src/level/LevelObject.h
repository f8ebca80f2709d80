#pragma once
#include <cstdint>

#include "level/ObjectName.h"
#include "math/Matrix4.h"

// One object or track piece on a tile; copied freely by value.
struct LevelObject {
    ObjectName name;       // the object's kind and the name of the model that draws it
    float scale = 1.0f;    // uniform scale of the model
    float angle = 0.0f;    // turn about z in radians (the file gives degrees)
    int32_t x = 0;         // tile column
    int32_t y = 0;         // tile row
    bool removed = false;  // to be deleted at the end of the current update
    int32_t degrees = 0;   // the whole degrees written in the file (or laid), so turns come back exactly

    // The piece's turn in whole degrees as the track rules compute it.
    int32_t Turn() const;
    // scaling(scale) * rotationZ(angle) * translation(tile centre on the floor); fills and returns out.
    Matrix4* WorldMatrix(Matrix4* out) const;
};

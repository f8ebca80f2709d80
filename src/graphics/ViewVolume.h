#pragma once
#include <cstdint>

#include "math/Matrix4.h"
#include "math/Vec3.h"

// What one frame can show: the six planes of the view frustum in world space, facing inwards.
struct ViewVolume {
    double planes[6][4] = {};
    Matrix4 toWorld{};  // clip space back to world space
};

// The inclusive rectangle of tiles (10 units square, tile t covering 10t to 10t + 10).
struct TileRect {
    int64_t minX = 0, maxX = -1, minY = 0, maxY = -1;
    bool Empty() const { return minX > maxX || minY > maxY; }
    // The number of tiles; 0 when empty.
    uint64_t Area() const { return Empty() ? 0 : static_cast<uint64_t>(maxX - minX + 1) * static_cast<uint64_t>(maxY - minY + 1); }
};

// The volume seen through viewProjection (row vectors, depth 0 to 1); false when it is singular.
bool MakeViewVolume(const Matrix4& viewProjection, ViewVolume* out);
// False only when the sphere lies wholly outside the volume (so whatever is inside it draws nothing).
bool SphereMayShow(const ViewVolume& volume, const Vec3& centre, float radius);
// The tiles whose centres lie within `reach` (horizontally) of a point of the volume with
// z between zLow and zHigh; empty when the volume does not cross that slab.
TileRect TilesSeen(const ViewVolume& volume, float zLow, float zHigh, float reach);

#pragma once
#include <cstdint>

#include "math/Matrix4.h"
#include "math/Plane.h"
#include "math/Vec3.h"

// The ray through client pixel (x, y) in view space, read from g_device's viewport and
// projection: origin (0, 0, 0), direction (vx, vy, 1), not normalised.
void ScreenToViewRay(int32_t x, int32_t y, Vec3* origin, Vec3* direction);

// Moves the view-space ray into world space with inverseView and normalises its direction.
void ViewRayToWorld(Vec3* origin, Vec3* direction, const Matrix4& inverseView);

// The point of g_floorPlane under client pixel (x, y), seen through g_device's view; false
// when the ray runs parallel to the floor.
bool PickFloorPoint(int32_t x, int32_t y, Vec3* hit);
// The same for any plane (the menu's picture, for a tap on it).
bool PickPlanePoint(int32_t x, int32_t y, const Plane& plane, Vec3* hit);

// The client pixel where world point `world` shows through g_device's view and projection; false
// when it lies behind the camera or outside the viewport.
bool FloorPointToPixel(const Vec3& world, int32_t* x, int32_t* y);

#include "graphics/Picking.h"

#include "math/MathFunctions.h"
#include "state/GameState.h"

void ScreenToViewRay(int32_t x, int32_t y, Vec3* origin, Vec3* direction) {
    Viewport viewport{};
    Matrix4 projection{};
    g_device->GetViewport(&viewport);
    g_device->GetTransform(TransformType::Projection, &projection);
    // Pixel to the -1..1 square of the projection plane (y up), then undone by the projection's
    // scale; in double precision, stored as floats.
    const double vx = ((2.0 * x) / static_cast<double>(viewport.width) - 1.0) / projection(0, 0);
    const double vy = ((-2.0 * y) / static_cast<double>(viewport.height) + 1.0) / projection(1, 1);
    *origin = Vec3(0.0f, 0.0f, 0.0f);
    *direction = Vec3(static_cast<float>(vx), static_cast<float>(vy), 1.0f);
}

void ViewRayToWorld(Vec3* origin, Vec3* direction, const Matrix4& inverseView) {
    Vec3TransformCoord(origin, *origin, inverseView);
    Vec3TransformNormal(direction, *direction, inverseView);
    Vec3Normalize(direction, *direction);
}

bool PickFloorPoint(int32_t x, int32_t y, Vec3* hit) { return PickPlanePoint(x, y, g_floorPlane, hit); }

bool PickPlanePoint(int32_t x, int32_t y, const Plane& plane, Vec3* hit) {
    Vec3 origin, direction;
    ScreenToViewRay(x, y, &origin, &direction);
    Matrix4 view{}, inverseView{};
    g_device->GetTransform(TransformType::View, &view);
    // A singular view leaves the inverse as it was; the result is not tested.
    Identity(&inverseView);
    MatrixInverse(&inverseView, nullptr, view);
    ViewRayToWorld(&origin, &direction, inverseView);
    const Vec3 far = origin + direction * 5000.0f;
    return PlaneIntersectLine(hit, plane, origin, far) != nullptr;
}

bool FloorPointToPixel(const Vec3& world, int32_t* x, int32_t* y) {
    Viewport viewport{};
    Matrix4 view{}, projection{};
    g_device->GetViewport(&viewport);
    g_device->GetTransform(TransformType::View, &view);
    g_device->GetTransform(TransformType::Projection, &projection);
    Matrix4 both{};
    MatrixMultiply(&both, view, projection);
    float clip[4];
    for (int c = 0; c < 4; ++c)
        clip[c] = world.x * both(0, c) + world.y * both(1, c) + world.z * both(2, c) + both(3, c);
    if (clip[3] <= 0.0f) return false;
    // The inverse of ScreenToViewRay's mapping: -1..1 across, y up, to pixels, y down.
    const double px = (clip[0] / clip[3] + 1.0) * 0.5 * static_cast<double>(viewport.width);
    const double py = (1.0 - clip[1] / clip[3]) * 0.5 * static_cast<double>(viewport.height);
    if (px < 0.0 || py < 0.0 || px >= viewport.width || py >= viewport.height) return false;
    *x = static_cast<int32_t>(px);
    *y = static_cast<int32_t>(py);
    return true;
}

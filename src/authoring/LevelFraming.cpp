#include "authoring/LevelFraming.h"

#include <cmath>
#include <cstdio>

#include "math/MathFunctions.h"

namespace {

constexpr float kHalfFovTan = 0.57735027f;  // tan(30 degrees): the game's 60-degree vertical view
constexpr float kNarrowestAspect = 1.25f;   // 5:4; wider screens only add room at the sides
constexpr float kFarPlane = 1000.0f;        // the game's projection draws nothing farther away
constexpr float kMarginX = 0.92f, kMarginTop = 0.80f, kMarginBottom = 0.92f;

struct Bounds {
    float left, right, bottom, top;
};

// Where the grid's corners (on the floor and 3 units up, the height of the targets) land on
// the screen, in normalised device coordinates at the narrowest aspect.
Bounds Project(const Camera& c, int width, int height) {
    Bounds b{1e9f, -1e9f, 1e9f, -1e9f};
    for (float x : {0.0f, 10.0f * width})
        for (float y : {0.0f, 10.0f * height})
            for (float z : {0.0f, 3.0f}) {
                const Vec3 d = Vec3(x, y, z) - c.position;
                const float depth = Dot(d, c.look);
                const float sx = Dot(d, c.right) / depth / (kHalfFovTan * kNarrowestAspect);
                const float sy = Dot(d, c.up) / depth / kHalfFovTan;
                b.left = std::fmin(b.left, sx);
                b.right = std::fmax(b.right, sx);
                b.bottom = std::fmin(b.bottom, sy);
                b.top = std::fmax(b.top, sy);
            }
    return b;
}

// The smallest (nearest) or largest distance along the view direction to any corner of the grid.
float CornerDepth(const Camera& c, int width, int height, bool farthest) {
    float depth = farthest ? -1e9f : 1e9f;
    for (float x : {0.0f, 10.0f * width})
        for (float y : {0.0f, 10.0f * height})
            for (float z : {0.0f, 3.0f}) {
                const float d = Dot(Vec3(x, y, z) - c.position, c.look);
                depth = farthest ? std::fmax(depth, d) : std::fmin(depth, d);
            }
    return depth;
}

float NearestDepth(const Camera& c, int width, int height) { return CornerDepth(c, width, height, false); }

}  // namespace

std::optional<Camera> FrameGrid(int width, int height, float elevationDegrees) {
    const float e = elevationDegrees * 3.14159265f / 180.0f;
    Camera c;
    c.right = Vec3(1, 0, 0);
    c.look = Vec3(0, -std::cos(e), -std::sin(e));
    Cross(&c.up, c.look, c.right);  // the game recomputes up as look x right
    const Vec3 centre(5.0f * width, 5.0f * height, 0);
    // Back away from the centre until the grid fits; at each distance, slide the camera across
    // its own view plane until the grid sits in the middle (the top keeps room for the score).
    // The first distance far enough to fit is the closest view of the whole grid.
    for (float distance = 20.0f; distance < 2000.0f; distance += 0.5f) {
        c.position = centre - c.look * distance;
        bool inFront = true;
        for (int i = 0; i < 8 && inFront; ++i) {
            inFront = NearestDepth(c, width, height) > 1.0f;
            if (!inFront) break;
            const Bounds b = Project(c, width, height);
            const float shiftX = 0.5f * (b.left + b.right) * distance * kHalfFovTan * kNarrowestAspect;
            const float wantedMid = 0.5f * (kMarginTop - kMarginBottom);
            const float shiftY = (0.5f * (b.bottom + b.top) - wantedMid) * distance * kHalfFovTan;
            c.position = c.position + c.right * shiftX + c.up * shiftY;
        }
        if (!inFront || NearestDepth(c, width, height) <= 1.0f) continue;
        const Bounds b = Project(c, width, height);
        if (b.left >= -kMarginX && b.right <= kMarginX && b.bottom >= -kMarginBottom && b.top <= kMarginTop) {
            // Backing away further only pushes the far edge further out.
            if (CornerDepth(c, width, height, true) >= kFarPlane) return std::nullopt;
            return c;
        }
    }
    return std::nullopt;
}

std::string CameraNumbers(const Camera& camera) {
    std::string out;
    char buffer[32];
    for (const Vec3& v : {camera.position, camera.up, camera.look, camera.right})
        for (float f : {v.x, v.y, v.z}) {
            std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(f));
            if (!out.empty()) out += ' ';
            out += buffer;
        }
    return out;
}

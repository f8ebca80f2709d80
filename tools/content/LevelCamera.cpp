#include <cmath>
#include <cstdio>

#include "Levels.h"
#include "math/MathFunctions.h"

namespace {

constexpr float kHalfFovTan = 0.57735027f;  // tan(30 degrees): the game's 60-degree vertical view
constexpr float kNarrowestAspect = 1.25f;   // 5:4; wider screens only add room at the sides
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

// The smallest distance along the view direction to any corner of the grid.
float NearestDepth(const Camera& c, int width, int height) {
    float nearest = 1e9f;
    for (float x : {0.0f, 10.0f * width})
        for (float y : {0.0f, 10.0f * height})
            for (float z : {0.0f, 3.0f}) nearest = std::fmin(nearest, Dot(Vec3(x, y, z) - c.position, c.look));
    return nearest;
}

}  // namespace

Camera FrameGrid(int width, int height, float elevationDegrees) {
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
        if (b.left >= -kMarginX && b.right <= kMarginX && b.bottom >= -kMarginBottom && b.top <= kMarginTop) break;
    }
    return c;
}

std::string LevelText(const LevelDesign& level, const std::string& style) {
    const Camera c = FrameGrid(level.width, level.height, 58.0f);
    std::string out;
    char buf[256];
    auto line = [&](const char* fmt, auto... args) {
        std::snprintf(buf, sizeof buf, fmt, args...);
        out += buf;
    };
    line("style %s\nheight %d\nwidth %d\ncamera_data\n", style.c_str(), level.height, level.width);
    for (const Vec3& v : {c.position, c.up, c.look, c.right})
        line("%.9g %.9g %.9g\n", static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z));
    line("objects %zu\n", level.objects.size());
    for (const LevelEntry& o : level.objects)
        line("%d %d %s %g %d\n", o.x, o.y, o.name.c_str(), static_cast<double>(o.scale), o.degrees);
    line("start %d %d %c\nfinish %d %d %c\nspeed %g\n", level.startX, level.startY, level.startHeading,
         level.finishX, level.finishY, level.finishHeading, static_cast<double>(level.speed));
    return out;
}

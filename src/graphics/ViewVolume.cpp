#include "graphics/ViewVolume.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "math/MathFunctions.h"

bool MakeViewVolume(const Matrix4& m, ViewVolume* out) {
    if (!MatrixInverse(&out->toWorld, nullptr, m)) return false;
    // With row vectors a clip coordinate is a point times a column; inside means -w <= x <= w,
    // -w <= y <= w and 0 <= z <= w.
    const auto column = [&m](int c, double k) {
        return std::array<double, 4>{k * m(0, c), k * m(1, c), k * m(2, c), k * m(3, c)};
    };
    const std::array<double, 4> w = column(3, 1.0);
    const std::array<double, 4> sides[6] = {column(0, 1.0), column(0, -1.0), column(1, 1.0),
                                            column(1, -1.0), column(2, 1.0), column(2, -1.0)};
    for (int p = 0; p < 6; ++p) {
        double plane[4];
        for (int k = 0; k < 4; ++k) plane[k] = (p == 4 ? 0.0 : w[k]) + sides[p][k];
        const double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        if (!(length > 0.0)) return false;
        for (int k = 0; k < 4; ++k) out->planes[p][k] = plane[k] / length;
    }
    return true;
}

bool SphereMayShow(const ViewVolume& volume, const Vec3& centre, float radius) {
    // A little slack, so that rounding can only ever keep an object, never lose one.
    const double slack = std::fabs(static_cast<double>(radius)) * 1.001 + 0.01;
    for (const auto& p : volume.planes)
        if (p[0] * centre.x + p[1] * centre.y + p[2] * centre.z + p[3] < -slack) return false;
    return true;
}

TileRect TilesSeen(const ViewVolume& volume, float zLow, float zHigh, float reach) {
    Vec3 corners[8];
    for (int i = 0; i < 8; ++i) {
        const Vec3 clip(i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : 0.0f);
        Vec3TransformCoord(&corners[i], clip, volume.toWorld);
    }
    double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    const auto take = [&](const Vec3& a, const Vec3& b) {
        // The part of edge a-b within the slab, added to the box.
        double t0 = 0.0, t1 = 1.0;
        const double dz = static_cast<double>(b.z) - a.z;
        if (dz == 0.0) {
            if (a.z < zLow || a.z > zHigh) return;
        } else {
            double ta = (zLow - a.z) / dz, tb = (zHigh - a.z) / dz;
            if (ta > tb) std::swap(ta, tb);
            t0 = std::max(t0, ta), t1 = std::min(t1, tb);
            if (t0 > t1) return;
        }
        for (double t : {t0, t1}) {
            const double x = a.x + t * (static_cast<double>(b.x) - a.x), y = a.y + t * (static_cast<double>(b.y) - a.y);
            minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    };
    for (int i = 0; i < 8; ++i)
        for (int bit : {1, 2, 4})
            if (!(i & bit)) take(corners[i], corners[i | bit]);
    TileRect rect;
    if (!(minX <= maxX && minY <= maxY)) return rect;
    // Tile t's centre is 10t + 5; clamped well inside int64 for views that reach very far.
    const auto tile = [](double v) { return static_cast<int64_t>(std::floor(std::clamp((v - 5.0) / 10.0, -4e9, 4e9))); };
    rect.minX = tile(minX - reach), rect.maxX = tile(maxX + reach) + 1;
    rect.minY = tile(minY - reach), rect.maxY = tile(maxY + reach) + 1;
    return rect;
}

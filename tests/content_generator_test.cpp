// The content generator's polygon triangulation. What the generator writes is checked through
// the game's loaders in content_test.cpp and byte for byte by e2e/content_regenerates.sh.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "Audio.h"
#include "Mesh.h"
#include "TempDir.h"
#include "XFile.h"
#include "math/MathFunctions.h"
#include "platform/MeshImporter.h"

namespace {

float Area(const std::vector<Point2>& p) {
    float a = 0;
    for (size_t i = 0; i < p.size(); ++i) a += p[i].x * p[(i + 1) % p.size()].y - p[(i + 1) % p.size()].x * p[i].y;
    return std::fabs(a) / 2;
}

// Triangles of a polygon, in either direction round it, must cover exactly its area, each
// facing up (the viewer above), so that a concave sign extruded from it has no holes or flaps.
TEST(Triangulation, CoversConcavePolygonsWithUpwardTriangles) {
    const std::vector<std::vector<Point2>> shapes = {
        {{0, 0}, {4, 0}, {4, 3}, {0, 3}},                                             // square
        {{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 4}, {0, 4}},                             // L
        {{-0.45f, 1.9f}, {0.45f, 1.9f}, {0.45f, -0.3f}, {1.2f, -0.3f}, {0, -2.1f}, {-1.2f, -0.3f}, {-0.45f, -0.3f}},
        {{-0.2f, -2.2f}, {1.0f, -2.2f}, {0.3f, -0.5f}, {1.2f, -0.5f}, {-0.8f, 2.3f}, {-0.1f, 0.3f}, {-1.0f, 0.3f}},
    };
    for (std::vector<Point2> shape : shapes) {
        for (int reversed = 0; reversed < 2; ++reversed) {
            if (reversed) std::reverse(shape.begin(), shape.end());
            const auto tris = TriangulatePolygon(shape);
            ASSERT_EQ(tris.size(), shape.size() - 2);
            float covered = 0;
            for (const auto& t : tris) {
                const Point2 &a = shape[t[0]], &b = shape[t[1]], &c = shape[t[2]];
                const float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
                EXPECT_GT(cross, 0.0f) << "triangle faces down";
                covered += cross / 2;
            }
            EXPECT_NEAR(covered, Area(shape), 1e-4f);
        }
    }
}

}  // namespace

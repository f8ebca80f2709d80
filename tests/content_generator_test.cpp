// The content generator's building blocks: polygon triangulation and the cameras that frame the
// levels. What the generator writes is checked through the game's loaders in content_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "Audio.h"
#include "Levels.h"
#include "Mesh.h"
#include "TempDir.h"
#include "XFile.h"
#include "level/Level.h"
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

// Long, tall, tiny and large grids all fit on screen, at every common aspect ratio, from a
// camera the game accepts.
TEST(LevelCamera, FramesGridsOfEveryShape) {
    for (auto [w, h] : {std::pair{1, 1}, {7, 3}, {3, 7}, {16, 11}, {30, 4}, {4, 30}}) {
        Camera c = FrameGrid(w, h, 58.0f);
        Cross(&c.up, c.look, c.right);
        EXPECT_NEAR(Length(c.look), 1.0f, 1e-5f);
        for (float aspect : {1.25f, 4.0f / 3.0f, 16.0f / 9.0f}) {
            Matrix4 view = c.ViewMatrix(), projection, both;
            MatrixPerspectiveFovLH(&projection, 3.1415927f / 3.0f, aspect, 0.5f, 1000.0f);
            MatrixMultiply(&both, view, projection);
            float spanX = 0, spanY = 0;
            Vec3 first;
            for (float x : {0.0f, 10.0f * w})
                for (float y : {0.0f, 10.0f * h})
                    for (float z : {0.0f, 3.0f}) {  // the floor and the targets standing on it
                        Vec3 s;
                        Vec3TransformCoord(&s, Vec3(x, y, z), both);
                        ASSERT_TRUE(std::isfinite(s.x) && std::isfinite(s.y)) << w << "x" << h;
                        EXPECT_TRUE(std::fabs(s.x) <= 1.0f && std::fabs(s.y) <= 1.0f && s.z > 0.0f && s.z < 1.0f) << w << "x" << h;
                        if (x == 0 && y == 0 && z == 0) first = s;
                        if (z == 0) spanX = std::max(spanX, std::fabs(s.x - first.x));
                        if (z == 0) spanY = std::max(spanY, std::fabs(s.y - first.y));
                    }
            // Not framed from needlessly far away: at 5:4 a grid of several tiles fills most of
            // one direction (a single tile is seen from the closest distance, 20 units).
            if (aspect == 1.25f && w * h > 1) EXPECT_GT(std::max(spanX, spanY), 1.4f) << w << "x" << h;
        }
    }
}

}  // namespace

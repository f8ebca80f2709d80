// The content generator's building blocks: polygon triangulation, closed and consistently wound
// solids, the .x writer read back by the game's importer, WAV bytes.
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

// A solid is closed and consistently wound when every edge a->b of a triangle is matched by
// exactly one edge b->a of another (positions compared after rounding to 1/1000 unit).
void ExpectClosedAndOutward(const GenMesh& m, const char* what) {
    auto key = [](const Vec3& p) {
        return std::make_tuple(std::lround(p.x * 1000), std::lround(p.y * 1000), std::lround(p.z * 1000));
    };
    using Key = decltype(key(Vec3()));
    std::map<std::pair<Key, Key>, int> edges;
    for (const auto& f : m.faces)
        for (int i = 0; i < 3; ++i) {
            const Key a = key(m.vertices[f[i]].p), b = key(m.vertices[f[(i + 1) % 3]].p);
            if (a != b) ++edges[{a, b}];
        }
    int unmatched = 0;
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        const int backCount = back == edges.end() ? 0 : back->second;
        if (count != backCount) ++unmatched;
    }
    EXPECT_EQ(unmatched, 0) << what << " has open or inconsistently wound edges";
    // Consistent winding alone would allow an inside-out solid: the faces' normals must also
    // point away from the middle on average.
    Vec3 centre(0, 0, 0);
    for (const GenVertex& v : m.vertices) centre += v.p;
    centre = centre * (1.0f / m.vertices.size());
    float outward = 0;
    for (const auto& f : m.faces) {
        Vec3 n;
        Cross(&n, m.vertices[f[1]].p - m.vertices[f[0]].p, m.vertices[f[2]].p - m.vertices[f[0]].p);
        outward += Dot(n, m.vertices[f[0]].p - centre);
    }
    EXPECT_GT(outward, 0.0f) << what << " is inside out";
}

TEST(Solids, AreClosedAndFaceOutwards) {
    const std::pair<const char*, void (*)(GenMesh&)> solids[] = {
        {"box", [](GenMesh& m) { m.Box(0, {-1, -2, 0}, {3, 1, 2}); }},
        {"cylinder", [](GenMesh& m) { m.Cylinder(0, 0, 1, 2, 1.5f, 0.5f, 3, 16); }},
        {"cylinder along y", [](GenMesh& m) { m.CylinderAxis(0, 0, {0, -2, 1}, {0, 1, 0}, 0.8f, 4, 12); }},
        {"sphere", [](GenMesh& m) { m.Sphere(0, {1, 1, 1}, 0.5f, 12, 8); }},
        {"cone pointing up", [](GenMesh& m) { m.Cone(0, 0, 0, 1, 0, 2, 12); }},
        {"cone pointing down", [](GenMesh& m) { m.Cone(0, 0, 0, 1, 0, -2, 12); }},
        {"turned box", [](GenMesh& m) {
             m.TurnedBox(0, 2, 3, 0.7f, 2.5f, 0.45f, 0, 0.3f);
             // A turned box has no bottom (it lies on the floor): close it to check the rest.
             const Vec3 down(0, 0, 0.3f);
             m.FacingQuad(0, {0, 0, -1}, m.vertices[0].p - down, m.vertices[1].p - down, m.vertices[2].p - down,
                          m.vertices[3].p - down);
         }},
    };
    for (const auto& [name, build] : solids) {
        GenMesh m;
        m.AddMaterial({});
        build(m);
        ExpectClosedAndOutward(m, name);
    }
}

// The text .x file, read back by the game's importer: positions, normals, texture coordinates
// and winding unchanged, one subset per material in declaration order, each with its faces.
TEST(XFileWriter, ReadsBackThroughTheGamesImporter) {
    GenMesh m;
    GenMaterial red;
    red.r = 0.9f, red.g = 0.1f, red.b = 0.2f, red.power = 12;
    red.sr = red.sg = red.sb = 0.5f;
    GenMaterial grass = red;
    grass.texture = "grass.png";
    grass.er = 0.25f;
    const uint32_t first = m.AddMaterial(red), second = m.AddMaterial(grass);
    m.Quad(second, {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1, 0, 1, 1, 0, 1});
    m.Triangle(first, {0, 0, 1}, {0, 1, 1}, {-1, 0, 1});
    TempDir dir;
    const std::string path = dir.Write("test.x", XFileText(m, "mesh_test"));
    MeshData read;
    std::string error;
    ASSERT_TRUE(ImportMesh(path, &read, &error)) << error;
    ASSERT_EQ(read.materials.size(), 2u);
    EXPECT_TRUE(read.materials[0].textureName == "" && read.materials[1].textureName == "grass.png");
    const Material &m0 = read.materials[0].material, &m1 = read.materials[1].material;
    EXPECT_TRUE(m0.diffuse.r == 0.9f && m0.power == 12.0f && m0.specular.g == 0.5f && m1.emissive.r == 0.25f);
    ASSERT_EQ(read.subsets.size(), 2u);
    EXPECT_TRUE(read.subsets[0].indexCount == 3u && read.subsets[1].indexCount == 6u);
    // Every triangle comes back with the same corners in the same turning order.
    for (uint32_t s = 0; s < 2; ++s) {
        for (uint32_t i = read.subsets[s].indexStart; i < read.subsets[s].indexStart + read.subsets[s].indexCount; i += 3) {
            const MeshVertex &a = read.vertices[read.indices[i]], &b = read.vertices[read.indices[i + 1]],
                             &c = read.vertices[read.indices[i + 2]];
            Vec3 n;
            Cross(&n, b.position - a.position, c.position - a.position);
            EXPECT_GT(Dot(n, a.normal), 0.0f);
            if (s == 1) {
                // On the quad, texture coordinates follow x and y.
                for (const MeshVertex* v : {&a, &b, &c}) {
                    EXPECT_FLOAT_EQ(v->u, v->position.x);
                    EXPECT_FLOAT_EQ(v->v, v->position.y);
                }
            }
        }
    }
}

TEST(WavWriter, WritesMonoPcmWithTheSamplesClippedAndFadedToSilence) {
    Samples s(0.1);
    for (size_t i = 0; i < s.data.size(); ++i) s.data[i] = (i % 2 ? 2.0f : -2.0f);
    Finish(s, 0.5f, 0.01);
    const size_t middleIndex = (s.data.size() / 2) & ~size_t{1};  // an even index held -2
    EXPECT_FLOAT_EQ(s.data[middleIndex], -0.5f);
    EXPECT_FLOAT_EQ(s.data.front(), 0.0f);
    EXPECT_FLOAT_EQ(s.data.back(), 0.0f);
    const std::vector<unsigned char> bytes = WavBytes(s);
    ASSERT_EQ(bytes.size(), 44 + s.data.size() * 2);
    auto u32 = [&](size_t at) { uint32_t v; std::memcpy(&v, &bytes[at], 4); return v; };
    auto u16 = [&](size_t at) { uint16_t v; std::memcpy(&v, &bytes[at], 2); return v; };
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4) + std::string(bytes.begin() + 8, bytes.begin() + 16), "RIFFWAVEfmt ");
    // Chunk size; PCM, mono; 44100 samples and 88200 bytes a second; 16 bits; data size.
    EXPECT_EQ(u32(4), bytes.size() - 8);
    EXPECT_TRUE(u16(20) == 1 && u16(22) == 1 && u32(24) == 44100u && u32(28) == 88200u && u16(34) == 16);
    EXPECT_EQ(u32(40), s.data.size() * 2);
    EXPECT_EQ(static_cast<int16_t>(u16(44 + 2 * middleIndex)), -16384);

    Samples loud(0.01);
    loud.data.assign(loud.data.size(), 3.0f);
    const std::vector<unsigned char> clipped = WavBytes(loud);
    EXPECT_EQ(static_cast<int16_t>(clipped[44] | clipped[45] << 8), 32767);
}

}  // namespace

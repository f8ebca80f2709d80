#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "math/MathFunctions.h"
#include "resources/MeshImporter.h"
#include "resources/XFileCompressed.h"
#include "TempDir.h"
#include "XExporters.h"

namespace {

// A face corner as drawn: position, normal and texture coordinates, on a 1/1000 grid.
using Corner = std::array<long, 8>;
using Triangle = std::array<Corner, 3>;

// What the game takes from a file: per subset its triangles (each turned to start at its least
// corner, winding kept, then sorted), the materials, and the bounding sphere.
struct Loaded {
    std::vector<std::vector<Triangle>> subsets;
    std::vector<MeshMaterial> materials;
    Vec3 centre;
    float radius = 0;
    XFileFormat format;
};

Loaded Load(const std::string& content, std::string* error) {
    TempDir dir;
    MeshData mesh;
    Loaded out;
    if (!ImportMesh(dir.Write("model.x", content), &mesh, error, &out.format)) return out;
    const auto corner = [&](uint32_t index) {
        const MeshVertex& v = mesh.vertices[index];
        Corner c;
        const float values[] = {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.u, v.v};
        for (size_t k = 0; k < 8; ++k) c[k] = std::lround(values[k] * 1000);
        return c;
    };
    for (const MeshSubset& subset : mesh.subsets) {
        std::vector<Triangle> triangles;
        for (uint32_t i = subset.indexStart; i < subset.indexStart + subset.indexCount; i += 3) {
            Triangle t = {corner(mesh.indices[i]), corner(mesh.indices[i + 1]), corner(mesh.indices[i + 2])};
            std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
            triangles.push_back(t);
        }
        std::sort(triangles.begin(), triangles.end());
        out.subsets.push_back(triangles);
    }
    out.materials = mesh.materials;
    ComputeBoundingSphere(&mesh.vertices[0].position, mesh.vertices.size(), sizeof(MeshVertex), &out.centre, &out.radius);
    return out;
}

bool SameMaterial(const MeshMaterial& a, const MeshMaterial& b) {
    const Material &x = a.material, &y = b.material;
    return x.diffuse == y.diffuse && x.specular == y.specular && x.emissive == y.emissive && x.power == y.power &&
           a.textureName == b.textureName;
}

struct Encoding {
    const char* name;
    std::string content;
    XFileFormat format;
};

// The layout written as text, as binary with 32- and 64-bit floats, and compressed both ways in
// blocks small enough that later blocks refer back into earlier ones.
std::vector<Encoding> Encodings(const std::string& text, int textFloatBits) {
    using namespace xexport;
    return {
        {"text", text, {false, false, textFloatBits}},
        {"binary 32", ToBinary(text, 32), {true, false, 32}},
        {"binary 64", ToBinary(text, 64), {true, false, 64}},
        {"compressed text", Compress(text, 512), {false, true, textFloatBits}},
        {"compressed binary", Compress(ToBinary(text, 32), 300), {true, true, 32}},
        {"compressed binary 64", Compress(ToBinary(text, 64), 4096), {true, true, 64}},
    };
}

// Every encoding of the layout loads as the plain mesh: the same triangles in the same subsets,
// the same materials in order, the same bounding sphere.
void ExpectLoadsAsPlain(const std::string& layout, int textFloatBits) {
    std::string error;
    const Loaded plain = Load(xexport::PlainX(), &error);
    ASSERT_EQ(plain.subsets.size(), 3u) << error;
    for (const Encoding& encoding : Encodings(layout, textFloatBits)) {
        SCOPED_TRACE(encoding.name);
        const Loaded loaded = Load(encoding.content, &error);
        ASSERT_EQ(loaded.subsets.size(), plain.subsets.size()) << error;
        for (size_t s = 0; s < plain.subsets.size(); ++s) EXPECT_EQ(loaded.subsets[s], plain.subsets[s]) << "subset " << s;
        ASSERT_EQ(loaded.materials.size(), plain.materials.size());
        for (size_t m = 0; m < plain.materials.size(); ++m) EXPECT_TRUE(SameMaterial(loaded.materials[m], plain.materials[m])) << m;
        EXPECT_NEAR(Length(loaded.centre - plain.centre), 0.0f, 1e-4f);
        EXPECT_NEAR(loaded.radius, plain.radius, 1e-4f);
        EXPECT_TRUE(loaded.format.binary == encoding.format.binary && loaded.format.compressed == encoding.format.compressed &&
                    loaded.format.floatBits == encoding.format.floatBits);
    }
}

}  // namespace

// The reference itself: the scene's three materials (Brick, Roof, Brick), four triangles of the
// quad-and-roof body spread over the first two and the chimney's two in the third.
TEST(ExporterLayouts, ThePlainMeshHoldsTheWholeScene) {
    std::string error;
    const Loaded plain = Load(xexport::PlainX(), &error);
    ASSERT_EQ(plain.subsets.size(), 3u) << error;
    EXPECT_EQ(plain.subsets[0].size(), 3u);
    EXPECT_EQ(plain.subsets[1].size(), 3u);
    EXPECT_EQ(plain.subsets[2].size(), 2u);
    EXPECT_EQ(plain.materials[0].textureName, "bricks.png");
    EXPECT_EQ(plain.materials[1].textureName, "");
    EXPECT_TRUE(SameMaterial(plain.materials[0], plain.materials[2]));
}

// Frames (a root turning and moving, a child scaling and moving), materials named in place,
// vertex colours, skin weights with their bone name string, an animation set.
TEST(ExporterLayouts, BlenderStyleFramesSkinAndAnimationLoadAsThePlainMesh) { ExpectLoadsAsPlain(xexport::BlenderStyleX(), 32); }

// Templates with class ids, arrays, an open and a restricted template; a header object;
// materials once at the top level referred to by name from two meshes; TextureFileName.
TEST(ExporterLayouts, MaxStyleTemplatesAndSharedMaterialsLoadAsThePlainMesh) { ExpectLoadsAsPlain(xexport::MaxStyleX(), 32); }

// Two meshes at the top level, the second referring to a material named inside the first.
TEST(ExporterLayouts, SavedMeshesAtTheTopLevelLoadAsThePlainMesh) { ExpectLoadsAsPlain(xexport::SavedMeshesX(), 64); }

// Sizes in a compressed file are checked before anything is inflated or allocated for them; a
// broken block is refused, never half read.
TEST(CompressedXFiles, RefusesBadSizesAndBrokenBlocks) {
    const std::string good = xexport::Compress(xexport::BlenderStyleX(), 512);
    const auto withDword = [&](size_t at, uint32_t value) {
        std::string out = good;
        for (int k = 0; k < 4; ++k) out[at + k] = char(value >> (8 * k));
        return out;
    };
    const auto withWord = [&](size_t at, uint16_t value) {
        std::string out = good;
        out[at] = char(value & 0xFF);
        out[at + 1] = char(value >> 8);
        return out;
    };
    std::string noSignature = good;
    noSignature[24] = 'X';
    std::string corrupt = good;
    corrupt[30] = char(corrupt[30] ^ 0x55);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {withDword(16, (4u << 20) + 1), "more than 4194304"},
        {withDword(16, 600), "more than the declared size"},
        {withWord(20, 40000), "more than 32 KiB"},
        {withWord(20, 513), "does not inflate"},
        {withWord(22, 0xFFFF), "truncated"},
        {good.substr(0, good.size() - 1), "truncated"},
        {good.substr(0, 18), "truncated"},
        {noSignature, "CK signature"},
        {corrupt, "does not inflate"},
    };
    std::string plain;
    ASSERT_TRUE(ExpandCompressedXFile(good, 4u << 20, &plain, nullptr));
    EXPECT_EQ(plain, xexport::BlenderStyleX());
    for (const auto& [file, reason] : cases) {
        std::string error;
        plain = "untouched";
        EXPECT_FALSE(ExpandCompressedXFile(file, 4u << 20, &plain, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_EQ(plain, "untouched");
    }
}

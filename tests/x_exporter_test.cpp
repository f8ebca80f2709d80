#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

#include "ModelReport.h"
#include "resources/MeshImporter.h"
#include "resources/XFileCompressed.h"
#include "TempDir.h"
#include "XExporters.h"

namespace {

// Per subset, its triangles as corners (position, normal, texture coordinates on a 1/1000 grid),
// each triangle turned to start at its least corner (winding kept), sorted.
using Triangle = std::array<std::array<long, 8>, 3>;
std::vector<std::vector<Triangle>> Triangles(const std::string& path) {
    MeshData mesh;
    std::vector<std::vector<Triangle>> out;
    if (!ImportMesh(path, &mesh)) return out;
    for (const MeshSubset& subset : mesh.subsets) {
        out.emplace_back();
        for (uint32_t i = subset.indexStart; i < subset.indexStart + subset.indexCount; ++i) {
            if ((i - subset.indexStart) % 3 == 0) out.back().emplace_back();
            const MeshVertex& v = mesh.vertices[mesh.indices[i]];
            const float values[] = {v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y, v.normal.z, v.u, v.v};
            for (size_t k = 0; k < 8; ++k) out.back().back()[(i - subset.indexStart) % 3][k] = std::lround(values[k] * 1000);
        }
        for (Triangle& t : out.back()) std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
        std::sort(out.back().begin(), out.back().end());
    }
    return out;
}

// What `tracklet-level model` says of a file: how it is written, then counts, materials in
// order with their colours and textures, the bounding sphere.
std::string Report(const std::string& path) {
    std::ostringstream out;
    RunModelReport({path}, out);
    return out.str();
}

// Every encoding of the layout (text, binary with 32- and 64-bit floats, compressed both ways in
// blocks small enough that later ones refer back into earlier ones) loads as the plain mesh: the
// same triangles in the same subsets, the same materials, the same bounding sphere.
void ExpectLoadsAsPlain(const std::string& layout, const std::string& textFloats) {
    using namespace xexport;
    TempDir dir;
    const std::string plain = dir.Write("plain.x", Layout("plain"));
    const std::string plainReport = Report(plain).substr(Report(plain).find('\n'));
    const std::string text = Layout(layout), binary32 = ToBinary(text, 32), binary64 = ToBinary(text, 64);
    const std::pair<std::string, std::string> encodings[] = {
        {text, "text, " + textFloats},
        {binary32, "binary, 32-bit floats"},
        {binary64, "binary, 64-bit floats"},
        {ToBinary(text, 32, true), "binary, 32-bit floats"},  // string separators padded to 4 bytes
        {Compress(text, 512), "compressed text, " + textFloats},
        {Compress(binary32, 300), "compressed binary, 32-bit floats"},
        {Compress(binary64, 4096), "compressed binary, 64-bit floats"},
    };
    for (const auto& [content, format] : encodings) {
        const std::string path = dir.Write("model.x", content);
        EXPECT_EQ(Report(path), path + ": " + format + plainReport);
        EXPECT_EQ(Triangles(path), Triangles(plain)) << format;
    }
}

}  // namespace

// Frames (a root turning and moving, a child scaling and moving), materials named in place,
// vertex colours, skin weights with their bone name string, an animation set.
TEST(ExporterLayouts, BlenderStyleFramesSkinAndAnimationLoadAsThePlainMesh) { ExpectLoadsAsPlain("blender", "32-bit floats"); }

// Templates with class ids, arrays, an open and a restricted template; a header object;
// materials once at the top level referred to by name from two meshes; TextureFileName.
TEST(ExporterLayouts, MaxStyleTemplatesAndSharedMaterialsLoadAsThePlainMesh) { ExpectLoadsAsPlain("max", "32-bit floats"); }

// Two meshes at the top level, the second referring to a material named inside the first.
TEST(ExporterLayouts, SavedMeshesAtTheTopLevelLoadAsThePlainMesh) { ExpectLoadsAsPlain("saved", "64-bit floats"); }

// Sizes in a compressed file are checked before anything is inflated or allocated for them; a
// broken block is refused, never half read.
TEST(CompressedXFiles, RefusesBadSizesAndBrokenBlocks) {
    const std::string good = xexport::Compress(xexport::Layout("blender"), 512);
    const auto with = [&](size_t at, std::string bytes) { return std::string(good).replace(at, bytes.size(), bytes); };
    const std::pair<std::string, std::string> cases[] = {
        {with(16, {'\x01', 0, '\x40', 0}), "more than 4194304"},  // (4 MiB) + 1
        {with(16, {'\x58', '\x02', 0, 0}), "more than the declared size"},  // 600 bytes
        {with(20, {'\x40', '\x9c'}), "more than 32 KiB"},                   // 40000
        {with(20, {'\x01', '\x02'}), "does not inflate"},                   // 513 for 512
        {with(22, {'\xff', '\xff'}), "truncated"},
        {good.substr(0, good.size() - 1), "truncated"},
        {good.substr(0, 18), "truncated"},
        {with(24, "X"), "CK signature"},
        {with(30, {char(good[30] ^ 0x55)}), "does not inflate"},
    };
    std::string plain;
    ASSERT_TRUE(ExpandCompressedXFile(good, 4u << 20, &plain, nullptr));
    EXPECT_EQ(plain, xexport::Layout("blender"));
    for (const auto& [file, reason] : cases) {
        std::string error;
        plain = "untouched";
        EXPECT_TRUE(!ExpandCompressedXFile(file, 4u << 20, &plain, &error) && error.find(reason) != std::string::npos) << error;
        EXPECT_EQ(plain, "untouched");
    }
}

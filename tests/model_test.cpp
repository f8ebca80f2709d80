#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>

#include "resources/MeshImporter.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "TempDir.h"
#include "XFiles.h"

namespace {

// The vertices of ThreeMaterialX as written: position, normal, texture coordinates.
const std::array<MeshVertex, 6> kWritten = {{
    {{0, 0, 0}, {0, 0, -1}, 0.0f, 0.0f},
    {{2, 0, 0}, {0, 0.6f, -0.8f}, 0.5f, 0.0f},
    {{0, 2, 0}, {0.6f, 0, -0.8f}, 0.0f, 0.5f},
    {{2, 2, 1.5f}, {0, -0.6f, -0.8f}, 0.5f, 0.5f},
    {{4, 0, 0}, {-0.6f, 0, -0.8f}, 1.0f, 0.0f},
    {{4, 2, -1}, {0, 0, 1}, 1.0f, 0.25f},
}};

// The written index of an imported vertex, found by position; -1 when no written vertex is there.
int WrittenIndex(const MeshVertex& v) {
    const auto at = std::find_if(kWritten.begin(), kWritten.end(), [&](const MeshVertex& w) { return w.position == v.position; });
    return at == kWritten.end() ? -1 : static_cast<int>(at - kWritten.begin());
}

class ModelTest : public ::testing::Test {
protected:
    // Writes styles.txt (style 0 in folder "style") and the model list.
    void Style(const std::string& modelList) {
        dir.Write("styles.txt", "0 style\n");
        dir.Write("style/models.txt", modelList);
    }
    std::unique_ptr<ResourceCatalogue> Build() {
        ScopedCurrentDir here(dir.Path());
        return std::make_unique<ResourceCatalogue>(&device, nullptr);
    }

    TempDir dir;
    RecordingDevice device;
};

}  // namespace

// Whether faces keep their winding is checked on every shipped model (content_test.cpp).
TEST(MeshImporter, KeepsPositionsNormalsCoordinatesAndSubsetsAsWritten) {
    TempDir dir;
    MeshData mesh;
    std::string error;
    ASSERT_TRUE(ImportMesh(dir.Write("sample.x", ThreeMaterialX()), &mesh, &error)) << error;

    // Corners shared by faces of one material are merged: six distinct vertices at most.
    EXPECT_LE(mesh.vertices.size(), 6u);
    for (const MeshVertex& v : mesh.vertices) {
        const int i = WrittenIndex(v);
        ASSERT_GE(i, 0);
        EXPECT_TRUE(v.normal == kWritten[i].normal && v.u == kWritten[i].u && v.v == kWritten[i].v) << i;
    }
    // A triangle and a quad, no faces, one triangle; every index names a vertex.
    ASSERT_EQ(mesh.subsets.size(), 3u);
    const uint32_t triangles[] = {3, 0, 1};
    for (size_t s = 0; s < 3; ++s) {
        EXPECT_EQ(mesh.subsets[s].indexCount, 3 * triangles[s]) << s;
        EXPECT_LE(mesh.subsets[s].indexStart + mesh.subsets[s].indexCount, mesh.indices.size());
    }
    for (uint32_t index : mesh.indices) EXPECT_LT(index, mesh.vertices.size());
}

namespace {
// Binary .x tokens as the encoding lays them out: a 16-bit token code, then its data.
std::string Word(uint16_t w) { return {char(w & 0xFF), char(w >> 8)}; }
std::string U32(uint32_t v) { return Word(uint16_t(v)) + Word(uint16_t(v >> 16)); }
std::string BinName(const std::string& name) { return Word(1) + U32(uint32_t(name.size())) + name + Word(0x0a); }
std::string BinInts(const std::vector<uint32_t>& values) {
    std::string out = Word(6) + U32(uint32_t(values.size()));
    for (uint32_t v : values) out += U32(v);
    return out;
}
std::string BinFloats(const std::vector<float>& values) {
    std::string out = Word(7) + U32(uint32_t(values.size()));
    for (float f : values) out += U32(std::bit_cast<uint32_t>(f));
    return out;
}
}  // namespace

// Faces outside every material list, in a file that has one, take a grey material of their own
// after the file's: every one of its colours is set, none left as the memory held it.
TEST(MeshImporter, FacesOutsideEveryListGetTheWholeGreyMaterial) {
    TempDir dir;
    std::string file = ThreeMaterialX();
    file += "Mesh plain {\n 3; 0.0;0.0;1.0;, 2.0;0.0;1.0;, 0.0;2.0;1.0;;\n 1; 3;0,1,2;;\n}\n";
    const std::string path = dir.Write("two.x", file);
    MeshData mesh;
    std::string error;
    ASSERT_TRUE(ImportMesh(path, &mesh, &error)) << error;
    ASSERT_EQ(mesh.materials.size(), 4u);
    const MeshMaterial& grey = mesh.materials[3];
    EXPECT_EQ(mesh.subsets[3].indexCount, 3u);
    EXPECT_TRUE(grey.material.diffuse == Color4(0.6f, 0.6f, 0.6f, 1.0f));
    const Color4 none(0, 0, 0, 0);
    EXPECT_TRUE(grey.material.ambient == none && grey.material.specular == none && grey.material.emissive == none &&
                grey.material.power == 0.0f && grey.textureName.empty());
}

TEST(MeshImporter, RefusesBadFilesAndLeavesTheMeshAlone) {
    TempDir dir;
    const std::string good = ThreeMaterialX();
    std::string tooManyFaces = TriangleX();
    tooManyFaces.replace(tooManyFaces.find(" 1;\n 3;0,1,2"), 3, " 1500000000;");
    std::string tooManyVertices = TriangleX();
    tooManyVertices.replace(tooManyVertices.find(" 3;\n"), 3, " 400000000;");
    std::string pastLastVertex = TriangleX();
    pastLastVertex.replace(pastLastVertex.find("3;0,1,2"), 7, "3;0,1,3");
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.x", ""},
        {"header-only.x", "xof 0303txt 0032\n"},
        {"truncated.x", good.substr(0, good.size() / 2)},
        {"garbage.x", std::string("\x7f\x01 not a mesh at all \x00\xff", 24)},
        {"compressed.x", "xof 0303tzip0032" + std::string(64, '\x05')},
        {"too-many-faces.x", tooManyFaces},
        {"too-many-vertices.x", tooManyVertices},
        {"past-last-vertex.x", pastLastVertex},
        {"binary-past-last-vertex.x", "xof 0303bin 0032" + BinName("Mesh") + BinInts({3}) + BinFloats({0, 0, 0, 2, 0, 0, 0, 2, 0}) +
                                          BinInts({1, 3, 0, 1, 3}) + Word(0x0b)},
        {"binary-garbage.x", "xof 0303bin 0032" + std::string("\x06\x00\xff\xff\xff\x7f", 6)},
        // No faces, and a material list that gives one face a material.
        {"faceless-material.x", "xof 0303txt 0032\nMesh m { 1; 0;0;0;; 0;; MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; "
                                "0; 0;0;0;; 0;0;0;; } } }\n"},
        {"unknown-material.x", "xof 0303txt 0032\nMesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
                               "MeshMaterialList { 1; 1; 0;; { nowhere } } }\n"},
    };
    for (const auto& [name, content] : files) {
        MeshData mesh;
        mesh.indices = {42};
        std::string error;
        EXPECT_FALSE(ImportMesh(dir.Write(name, content), &mesh, &error)) << name;
        EXPECT_EQ(mesh.indices, std::vector<uint32_t>{42}) << name;
        EXPECT_FALSE(error.empty()) << name;
        // Counts beyond the file's size are refused before anything is allocated for them, a face
        // index one past the last vertex before any vertex is read.
        const bool many = name.rfind("too-many", 0) == 0, past = name.find("past-last") != std::string::npos;
        EXPECT_NE(error.find(many ? "element count out of range" : past ? "a vertex index out of range" : ""), std::string::npos) << error;
    }
    MeshData mesh;
    EXPECT_FALSE(ImportMesh((dir.Path() / "no-such-file.x").string(), &mesh));
    EXPECT_FALSE(ImportMesh(dir.Path().string(), &mesh));  // a folder
}

// Material ids run on across models and are never reused; a mesh without a material list has
// none (so later ids do not move) and one subset with every face; a name listed twice keeps the
// second file; listed paths may use backslashes; the list needs no final line end.
TEST_F(ModelTest, ModelListsGiveMaterialsConsecutiveIdsAndAmbientFromDiffuse) {
    dir.Write("style/models/sub/tri.x", TriangleX());
    dir.Write("style/models/sample.x", ThreeMaterialX());
    Style("tri sub/tri.x\nsample sample.x\nshape sample.x\nshape sub\\tri.x");
    auto catalogue = Build();
    const Model& sample = catalogue->FindModel("sample");
    ASSERT_NE(sample.mesh, nullptr);
    EXPECT_EQ(sample.materialIds, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(sample.textureNames, (std::vector<std::string>{"Tex\\First.BMP", "", "third.png"}));
    EXPECT_EQ(catalogue->nextMaterialId, 6u);
    const Material written[] = {
        {{1.0f, 0.5f, 0.25f, 0.75f}, {}, {0.1f, 0.2f, 0.3f, 1.0f}, {0.4f, 0.5f, 0.6f, 1.0f}, 20.0f},
        {{0, 1, 0, 1}, {}, {0, 0, 0, 1}, {0, 0, 0, 1}, 5.0f},
        {{0, 0, 1, 1}, {}, {1, 1, 1, 1}, {0, 0, 0, 1}, 1.0f},
    };
    for (uint32_t id = 0; id < 3; ++id) {
        const Material m = catalogue->FindMaterial(id);
        EXPECT_TRUE(m.ambient == m.diffuse && m.diffuse == written[id].diffuse && m.specular == written[id].specular &&
                    m.emissive == written[id].emissive && m.power == written[id].power) << id;
    }
    for (const char* name : {"tri", "shape"}) {
        const Model& model = catalogue->FindModel(name);
        ASSERT_NE(model.mesh, nullptr) << name;
        ASSERT_EQ(model.mesh->subsets.size(), 1u) << name;
        EXPECT_EQ(model.mesh->subsets[0].indexCount, 3u) << name;
        EXPECT_TRUE(model.materialIds.empty() && model.textureNames.empty()) << name;
        // A sphere round the triangle, not round everything: its centre in the triangle's plane.
        for (const Vec3 corner : {Vec3(0, 0, 0), Vec3(2, 0, 0), Vec3(0, 2, 0)})
            EXPECT_LE(Length(corner - model.boundCentre), model.boundRadius * (1.0f + 1e-6f)) << name;
        EXPECT_TRUE(model.boundCentre.z == 0.0f && model.boundRadius > 0.0f && model.boundRadius < 2.0f) << name;
    }
}

// Checks on the shipped content in data/, read through the game's own loaders: every name the
// game draws is there, the models are built the way the renderer and the rules expect (winding and
// collision spheres).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "level/Level.h"
#include "math/MathFunctions.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"

namespace {

const std::string kData = std::string(TRACKLET_SOURCE_DIR) + "/data";

// The catalogue built from data/ exactly as the game builds it at start-up (no sound device).
class ShippedContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ScopedCurrentDir inData(kData);
        device = new RecordingDevice();
        catalogue = new ResourceCatalogue(device, nullptr);
    }
    static void TearDownTestSuite() {
        delete catalogue;
        delete device;
    }
    static const MeshData& Mesh(const std::string& name) {
        static const MeshData empty;
        const Model& m = catalogue->FindModel(name);
        return m.mesh ? *m.mesh : empty;
    }
    static RecordingDevice* device;
    static ResourceCatalogue* catalogue;
};
RecordingDevice* ShippedContent::device = nullptr;
ResourceCatalogue* ShippedContent::catalogue = nullptr;

// Every level of the list, loaded by the game's loader.
std::vector<std::unique_ptr<Level>> LoadShippedLevels(ResourceCatalogue* catalogue) {
    ScopedCurrentDir inData(kData);
    std::vector<std::unique_ptr<Level>> levels;
    for (const std::string& name : catalogue->levels)
        levels.push_back(std::make_unique<Level>(nullptr, nullptr, "levels/" + name));
    return levels;
}

const char* const kMenus[] = {"menuIntro", "menuIntroduction", "menuComplete", "menuGameover"};
const char* const kTargets[] = {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed"};

TEST_F(ShippedContent, EveryNameTheGameDrawsHasAModel) {
    std::set<std::string> names = {"train", "bullet", "floor", "pointer"};
    names.insert(std::begin(kMenus), std::end(kMenus));
    for (const auto& level : LoadShippedLevels(catalogue))
        for (const LevelObject& o : level->objects)
            if (o.name != "blocked") names.insert(o.name);
    // The rules take the sphere of "rrecht" for the blocked tiles round a station.
    names.insert("rrecht");
    for (const std::string& name : names) {
        const Model& m = catalogue->FindModel(name);
        ASSERT_TRUE(m.mesh) << "no model for " << name;
        EXPECT_FALSE(m.mesh->indices.empty()) << name;
    }
    for (const char* menu : kMenus) EXPECT_TRUE(catalogue->FindTexture(catalogue->FindModel(menu).textureNames.at(0))) << menu;
}

// Corners of every triangle run clockwise seen from the side the vertex normals face: the
// renderer culls the other winding, so a reversed face would vanish.
TEST_F(ShippedContent, EveryTriangleFacesTheWayItsNormalsPoint) {
    for (const auto& [name, model] : catalogue->models) {
        if (!model.mesh) continue;
        const MeshData& m = *model.mesh;
        int reversed = 0;
        for (size_t i = 0; i + 2 < m.indices.size(); i += 3) {
            const MeshVertex &a = m.vertices[m.indices[i]], &b = m.vertices[m.indices[i + 1]],
                             &c = m.vertices[m.indices[i + 2]];
            Vec3 face;
            Cross(&face, b.position - a.position, c.position - a.position);
            if (Dot(face, a.normal + b.normal + c.normal) <= 0.0f) ++reversed;
        }
        EXPECT_EQ(reversed, 0) << name;
    }
}

// Collision spheres: a shot that comes down on a target's tile centre hits it even when the
// aim is off by a couple of units, and a shot at the next tile (10 units away) cannot touch it.
TEST_F(ShippedContent, TargetSpheresCatchAimedShotsButNotShotsAtTheNextTile) {
    const Model& bullet = catalogue->FindModel("bullet");
    ASSERT_TRUE(bullet.mesh);
    EXPECT_LT(bullet.boundRadius, 0.8f);
    for (const char* name : kTargets) {
        const Model& t = catalogue->FindModel(name);
        ASSERT_TRUE(t.mesh) << name;
        const float reach = t.boundRadius + bullet.boundRadius;
        EXPECT_GE(reach - Length(t.boundCentre), 2.0f) << name << ": the tile centre is barely inside the sphere";
        EXPECT_LE(reach, 4.0f) << name << ": a shot at the next tile would hit it";
    }
    const Model& block = catalogue->FindModel("block");
    EXPECT_LE(block.boundRadius + bullet.boundRadius, 5.0f);
}

}  // namespace

// Checks on the shipped content in data/, read through the game's own loaders: every name the
// game draws is there, the models are built the way the renderer and the rules expect (winding,
// track sides, train direction, collision spheres), the menu screens fill the screen the right
// way round, and each level's camera frames its grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "camera/Camera.h"
#include "graphics/MenuScreens.h"
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

// Projects a world point through a camera and the game's projection to normalised device
// coordinates (x right, y up, both -1..1 on screen).
Vec3 ToScreen(Camera camera, const Vec3& p, float aspect) {
    Matrix4 view = camera.ViewMatrix(), projection, both;
    MatrixPerspectiveFovLH(&projection, 3.1415927f / 3.0f, aspect, 0.5f, 1000.0f);
    MatrixMultiply(&both, view, projection);
    Vec3 out;
    Vec3TransformCoord(&out, p, both);
    return out;
}

// The fixed pose the game shows its menu screens from.
Camera MenuCamera() {
    Camera c;
    SetMenuCameraPose(&c);
    return c;
}

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

// Positions of the rail tops (the highest faces of a track piece, where the train runs).
std::vector<Vec3> RailTops(const MeshData& m) {
    float top = -1e9f;
    for (const MeshVertex& v : m.vertices) top = std::max(top, v.position.z);
    std::vector<Vec3> out;
    for (const MeshVertex& v : m.vertices)
        if (v.position.z > top - 1e-3f) out.push_back(v.position);
    return out;
}

bool Touches(const std::vector<Vec3>& points, float x, float y) {
    return std::any_of(points.begin(), points.end(), [&](const Vec3& p) {
        return std::fabs(p.x - x) < 0.25f && std::fabs(p.y - y) < 0.25f;
    });
}

// Unturned, a straight piece joins west and east and a curve joins south and west, with the
// rails at the same offsets where the pieces meet, so that laid track lines up.
TEST_F(ShippedContent, TrackPiecesJoinTheSidesTheTrackRulesSay) {
    const std::vector<Vec3> straight = RailTops(Mesh("rails"));
    ASSERT_FALSE(straight.empty());
    EXPECT_NEAR(straight.front().z, 0.6f, 0.01f);  // the train is set down 0.6 above the floor
    for (float y : {-1.5f, 1.5f}) {
        EXPECT_TRUE(Touches(straight, -5, y)) << "west end of the rail at y " << y;
        EXPECT_TRUE(Touches(straight, 5, y)) << "east end of the rail at y " << y;
    }
    for (const Vec3& p : straight) EXPECT_LE(std::fabs(p.y), 1.8f);

    const std::vector<Vec3> curve = RailTops(Mesh("railscorner"));
    ASSERT_FALSE(curve.empty());
    EXPECT_NEAR(curve.front().z, 0.6f, 0.01f);
    for (float offset : {-1.5f, 1.5f}) {
        EXPECT_TRUE(Touches(curve, offset, 5)) << "rail at the south side, x " << offset;
        EXPECT_TRUE(Touches(curve, -5, offset)) << "rail at the west side, y " << offset;
    }
    for (const Vec3& p : curve) {
        EXPECT_LE(p.x, 1.8f) << "a curve at turn 0 stays off the east side";
        EXPECT_GE(p.y, -1.8f) << "a curve at turn 0 stays off the north side";
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

// Under the fixed menu camera each screen covers the whole view from 5:4 to 16:9, faces the
// camera, and shows its image the right way round: the image's top-left corner at the top left.
TEST_F(ShippedContent, MenuScreensFillTheViewTheRightWayRound) {
    for (const char* name : kMenus) {
        const Model& model = catalogue->FindModel(name);
        ASSERT_TRUE(model.mesh) << name;
        ASSERT_EQ(model.textureNames.size(), 1u) << name;
        EXPECT_TRUE(catalogue->FindTexture(model.textureNames[0])) << name;
        const MeshData& m = *model.mesh;
        for (float aspect : {1.25f, 4.0f / 3.0f, 16.0f / 9.0f}) {
            float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
            for (const MeshVertex& v : m.vertices) {
                const Vec3 s = ToScreen(MenuCamera(), v.position, aspect);
                left = std::min(left, s.x), right = std::max(right, s.x);
                bottom = std::min(bottom, s.y), top = std::max(top, s.y);
                if (v.u < 0.01f && v.v < 0.01f) {
                    EXPECT_LT(s.x, -1.0f) << name << ": image's first column is not on the left";
                    EXPECT_GT(s.y, 1.0f) << name << ": image's first row is not at the top";
                }
            }
            EXPECT_TRUE(left <= -1.0f && right >= 1.0f && bottom <= -1.0f && top >= 1.0f)
                << name << " leaves the edge of a " << aspect << " screen uncovered";
        }
        // Clockwise on screen (y up) is a negative signed area.
        for (size_t i = 0; i + 2 < m.indices.size(); i += 3) {
            const Vec3 a = ToScreen(MenuCamera(), m.vertices[m.indices[i]].position, 1.25f);
            const Vec3 b = ToScreen(MenuCamera(), m.vertices[m.indices[i + 1]].position, 1.25f);
            const Vec3 c = ToScreen(MenuCamera(), m.vertices[m.indices[i + 2]].position, 1.25f);
            EXPECT_LT((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x), 0.0f) << name << " faces away";
        }
    }
}

// Each level loads with an orthonormal camera looking down onto the field. (That the camera
// frames the grid is the level writer's promise, tested with the generator; the level tool's
// strict check, run on these files, finds objects off the grid.)
TEST_F(ShippedContent, LevelsLoadWithAnOrthonormalCameraLookingDown) {
    const auto levels = LoadShippedLevels(catalogue);
    ASSERT_EQ(levels.size(), 10u);
    for (size_t i = 0; i < levels.size(); ++i) {
        const Level& level = *levels[i];
        const std::string name = catalogue->levels[i];
        ASSERT_TRUE(level.camera) << name << " did not load";
        EXPECT_FALSE(level.lost) << name;
        const Camera& c = *level.camera;
        EXPECT_TRUE(std::fabs(Length(c.look) - 1.0f) < 1e-4f && std::fabs(Length(c.right) - 1.0f) < 1e-4f &&
                    std::fabs(Dot(c.look, c.right)) < 1e-4f) << name << ": not orthonormal";
        Vec3 up;
        Cross(&up, c.look, c.right);
        EXPECT_NEAR(Length(up - c.up), 0.0f, 1e-4f) << name << ": up is not look x right";
        EXPECT_LT(c.look.z, -0.5f) << name << ": the camera does not look down";
    }
}

}  // namespace

#include <gtest/gtest.h>

#include "level/Level.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"

namespace {

Vec3 Apply(const Matrix4& m, const Vec3& v) {
    Vec3 out;
    Vec3TransformCoord(&out, v, m);
    return out;
}

void ExpectNear(const Vec3& v, const Vec3& expected) {
    EXPECT_NEAR(v.x, expected.x, 1e-5f);
    EXPECT_NEAR(v.y, expected.y, 1e-5f);
    EXPECT_NEAR(v.z, expected.z, 1e-5f);
}

}  // namespace

TEST(LevelTransforms, ObjectsAreScaledThenTurnedThenMovedToTheirTile) {
    LevelObject o;
    Matrix4 m;
    o.x = 3;
    o.y = -2;
    o.scale = 2.0f;
    o.angle = DegreesToRadians(90.0f);
    o.WorldMatrix(&m);
    // The model point (1, 0, 1): doubled, turned from +x to +y, then on the tile centre (35, -15).
    ExpectNear(Apply(m, Vec3(1, 0, 1)), Vec3(35, -13, 2));
}

TEST(LevelTransforms, TheTrainFacesItsHeadingAboveItsTile) {
    Level level(nullptr, nullptr, "");
    level.trainX = 2;
    level.trainY = 1;
    const struct {
        char heading;
        Vec3 nose;  // where the model's -y axis points
    } cases[] = {{'n', {0, -1, 0}}, {'e', {1, 0, 0}}, {'s', {0, 1, 0}}, {'w', {-1, 0, 0}}, {'x', {0, -1, 0}}};
    for (const auto& c : cases) {
        level.trainHeading = c.heading;
        Matrix4 m;
        level.TrainWorldMatrix(&m);
        ExpectNear(Apply(m, Vec3(0, 0, 0)), Vec3(25, 15, 0.6f));
        ExpectNear(Apply(m, Vec3(0, -1, 0)), Vec3(25, 15, 0.6f) + c.nose);
    }
}

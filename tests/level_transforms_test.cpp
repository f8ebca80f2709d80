#include <gtest/gtest.h>

#include "level/Level.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"

// Objects are scaled, then turned, then moved to their tile; the train faces its heading (the
// model's nose is its -y axis) 0.6 above its tile.
TEST(LevelTransforms, ObjectsAndTheTrainStandOnTheirTilesTurnedAsTheySay) {
    const auto moved = [](const Matrix4& m, const Vec3& v) {
        Vec3 out;
        return *Vec3TransformCoord(&out, v, m);
    };
    LevelObject o;
    o.x = 3, o.y = -2, o.scale = 2.0f, o.angle = DegreesToRadians(90.0f);
    Matrix4 m;
    o.WorldMatrix(&m);
    EXPECT_LT(Length(moved(m, Vec3(1, 0, 1)) - Vec3(35, -13, 2)), 1e-5f);

    Level level(nullptr, nullptr, "");
    level.trainX = 2, level.trainY = 1;
    const std::pair<char, Vec3> noses[] = {{'n', {0, -1, 0}}, {'e', {1, 0, 0}}, {'s', {0, 1, 0}}, {'w', {-1, 0, 0}}, {'x', {0, -1, 0}}};
    for (const auto& [heading, nose] : noses) {
        level.trainHeading = heading;
        level.TrainWorldMatrix(&m);
        EXPECT_LT(Length(moved(m, Vec3(0, 0, 0)) - Vec3(25, 15, 0.6f)), 1e-5f) << heading;
        EXPECT_LT(Length(moved(m, Vec3(0, -1, 0)) - Vec3(25, 15, 0.6f) - nose), 1e-5f) << heading;
    }
}

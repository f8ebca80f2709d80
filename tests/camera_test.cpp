#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"
#include "camera/Camera.h"
#include "math/MathFunctions.h"

namespace {

void ExpectUnitAndPerpendicular(const Camera& c) {
    EXPECT_NEAR(Length(c.right), 1.0f, 1e-6f);
    EXPECT_NEAR(Length(c.up), 1.0f, 1e-6f);
    EXPECT_NEAR(Length(c.look), 1.0f, 1e-6f);
    EXPECT_NEAR(Dot(c.right, c.up), 0.0f, 1e-6f);
    EXPECT_NEAR(Dot(c.right, c.look), 0.0f, 1e-6f);
    EXPECT_NEAR(Dot(c.up, c.look), 0.0f, 1e-6f);
}

}  // namespace

TEST(Camera, ViewMatrixMovesThePositionToTheOrigin) {
    Camera c;
    // Looking straight down at the floor from above (10, 20, 50), screen-up along world +y.
    c.right = Vec3(1, 0, 0);
    c.look = Vec3(0, 0, -2);  // not unit length: the view matrix normalises it
    c.up = Vec3(0, 5, 0);
    c.position = Vec3(10, 20, 50);
    const Matrix4 view = c.ViewMatrix();
    ExpectUnitAndPerpendicular(c);
    Vec3 p;
    Vec3TransformCoord(&p, c.position, view);
    EXPECT_NEAR(Length(p), 0.0f, 1e-5f);
    // The floor point below the camera lies straight ahead, 50 units away.
    Vec3TransformCoord(&p, Vec3(10, 20, 0), view);
    Subtract(&p, p, Vec3(0, 0, 50));
    EXPECT_NEAR(Length(p), 0.0f, 1e-5f);
    // up is rebuilt as look x right, so it comes out as world -y here (left-handed frame).
    EXPECT_NEAR(c.up.y, -1.0f, 1e-6f);
}

TEST(Camera, RotationsKeepAFrameAfterRenormalising) {
    Camera c;
    c.Pitch(0.1f);
    c.Yaw(-0.7f);
    c.Roll(2.3f);
    c.ViewMatrix();
    ExpectUnitAndPerpendicular(c);

    Camera yawed;
    yawed.Yaw(static_cast<float>(M_PI / 2));  // about up (y), left-handed: look (z) turns to +x
    EXPECT_NEAR(yawed.look.x, 1.0f, 1e-6f);
    EXPECT_NEAR(yawed.up.y, 1.0f, 1e-6f);  // the axis itself does not move
    Camera pitched;
    pitched.Pitch(static_cast<float>(M_PI / 2));
    EXPECT_NEAR(pitched.look.y, -1.0f, 1e-6f);
    EXPECT_NEAR(pitched.up.z, 1.0f, 1e-6f);
}

TEST(Camera, SaveWritesPositionUpLookRightAtTenDigits) {
    const auto path = (std::filesystem::temp_directory_path() / "tracklet_camera_test.txt").string();
    Camera c;
    c.position = Vec3(66.16783f, -4.213496e-06f, 1.0f);
    c.up = Vec3(0, 1, 0);
    c.look = Vec3(0.5f, 0.25f, -0.125f);
    c.right = Vec3(1, 0, 0);
    ASSERT_TRUE(c.Save(path));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    // Ten significant digits: enough for every float to read back exactly.
    EXPECT_EQ(text.str(), "66.16783142 -4.21349614e-06 1\n0 1 0\n0.5 0.25 -0.125\n1 0 0\n");
    std::filesystem::remove(path);

    EXPECT_FALSE(c.Save("/nonexistent-dir/camera.txt"));
}

// A save that fails part-way (here: the file-size limit, as a full disk would) leaves the old
// file whole and no temporary file beside it.
TEST(Camera, AFailedSaveLeavesThePreviousFileWhole) {
    TempDir dir;
    const std::string path = dir.Write("camera.txt", "1 2 3\n0 0 1\n0 1 0\n1 0 0\n");
    Camera c;
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = c.Save(path);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(saved);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "1 2 3\n0 0 1\n0 1 0\n1 0 0\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
    ASSERT_TRUE(c.Save(path));
}

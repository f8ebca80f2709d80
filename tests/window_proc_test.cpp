#include <gtest/gtest.h>

#include "GameFixture.h"
#include "graphics/GraphicsSetup.h"
#include "math/MathFunctions.h"
#include "shell/WindowProc.h"

namespace {
class WindowProcTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        PlaneFromPointNormal(&g_floorPlane, Vec3(0, 0, 0), Vec3(0, 0, 1));
        device.SetTransform(TransformType::Projection, GameProjection(1024, 768));
        // Straight down from 40 units above (20, 30), the screen's up along world -y.
        View(Vec3(20, 30, 40), Vec3(0, 0, -1), Vec3(0, -1, 0), Vec3(1, 0, 0));
        g_level->trainX = 1, g_level->trainY = 2;
    }
    void View(Vec3 position, Vec3 look, Vec3 up, Vec3 right) {
        Camera camera;
        camera.position = position, camera.look = look, camera.up = up, camera.right = right;
        device.SetTransform(TransformType::View, camera.ViewMatrix());
    }
    LResult Send(uint32_t message, int x, int y) { return WindowProc(nullptr, message, 0, MakeMouseLParam(x, y)); }
};
}  // namespace

// The centre of the screen picks the floor straight below the camera. (Picks elsewhere on the
// screen are made by the recording test, whose clicks must hit what they aim at.)
TEST_F(WindowProcTest, MouseMoveKeepsThePointerAndAClickFiresFromTheTrainTile) {
    EXPECT_EQ(Send(kWmMouseMove, 512, 384), 0);
    EXPECT_NEAR(Length(g_pointer - Vec3(20, 30, 0)), 0.0f, 1e-3f);
    EXPECT_TRUE(g_bullets.empty());

    Send(kWmLButtonDown, 512, 384);
    Send(kWmLButtonDown, 512, 384);
    ASSERT_EQ(g_bullets.size(), 2u);
    const Bullet& b = g_bullets[0];
    EXPECT_EQ(b.origin, Vec3(15.0f, 25.0f, 3.0f));
    EXPECT_EQ(b.speed, 30.0f);
    EXPECT_NEAR(Length(b.direction), 1.0f, 1e-6f);
    EXPECT_NEAR(b.direction.x * 5.0f, b.direction.y * 5.0f, 1e-5f) << "towards (20, 30, 0)";
    EXPECT_LT(b.direction.z, 0.0f);
    EXPECT_EQ(g_bullets[1].origin, b.origin);
    g_level.reset();
    Send(kWmLButtonDown, 512, 384);
    EXPECT_EQ(g_bullets.size(), 2u) << "without a level nothing is fired";
}

TEST_F(WindowProcTest, MouseIsIgnoredOnMenusAndWhilePaused) {
    bool* flags[] = {&g_paused, &g_showTitleMenu, &g_showIntroduction, &g_level->lost, &g_level->won};
    for (bool* flag : flags) {
        *flag = true;
        g_pointer = Vec3(1.0f, 2.0f, 3.0f);
        EXPECT_EQ(Send(kWmMouseMove, 100, 100), 0);
        EXPECT_EQ(Send(kWmLButtonDown, 100, 100), 0);
        EXPECT_EQ(g_pointer, Vec3(1.0f, 2.0f, 3.0f));
        EXPECT_TRUE(g_bullets.empty());
        *flag = false;
    }
}

TEST_F(WindowProcTest, RayAlongTheFloorClearsThePointerAndFiresNothing) {
    View(Vec3(0, 0, 5), Vec3(0, 1, 0), Vec3(0, 0, 1), Vec3(-1, 0, 0));  // level with the floor
    g_pointer = Vec3(7.0f, 7.0f, 0.0f);
    Send(kWmLButtonDown, 512, 384);
    EXPECT_EQ(g_pointer, Vec3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(g_bullets.empty());
}

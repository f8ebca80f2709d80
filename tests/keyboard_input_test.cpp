#include <gtest/gtest.h>

#include "GameFixture.h"
#include "platform/Keyboard.h"
#include "shell/KeyboardInput.h"

namespace {
class KeyboardInput : public GameFixture {
protected:
    FakeKeyboard keys;
    const float dt = 0.5f;

    void SetUp() override {
        GameFixture::SetUp();
        catalogue.levels = {"one.txt", "two.txt", "three.txt"};
        SetInputKeyboard(&keys);
    }
    void TearDown() override {
        SetInputKeyboard(nullptr);
        GameFixture::TearDown();
    }
    void Down(int vk) { keys.Set(vk, Keyboard::kDown); }
    void Up(int vk) { keys.Set(vk, 0); }
    // A press and release both between two frames: only the pressed-since bit shows.
    void Tap(int vk) { keys.Set(vk, Keyboard::kPressedSince); }
    int Frame() { return HandleKeyboard(dt); }
};
}  // namespace

TEST(KeyState, PressedWhenDownNowOrPressedSinceTheLastQuery) {
    EXPECT_TRUE(KeyCountsAsPressed(0x8000));
    EXPECT_TRUE(KeyCountsAsPressed(0x8001));
    EXPECT_TRUE(KeyCountsAsPressed(0x0001));
    EXPECT_FALSE(KeyCountsAsPressed(0x0000));
    EXPECT_FALSE(KeyCountsAsPressed(0x4000));
    EXPECT_FALSE(KeyCountsAsPressed(0x0100));
}

TEST_F(KeyboardInput, LatchedToggleActsOnceOnRelease) {
    g_showGrid = true;
    Down('G');
    Frame();
    Frame();
    EXPECT_TRUE(g_showGrid) << "held down: no toggle yet";
    Up('G');
    Frame();
    EXPECT_FALSE(g_showGrid);
    Frame();
    EXPECT_FALSE(g_showGrid) << "one release, one toggle";

    // A tap shorter than a frame counts in the next frame and acts in the one after.
    Tap('V');
    Frame();
    EXPECT_FALSE(g_showClickVector);
    Frame();
    EXPECT_TRUE(g_showClickVector);
    Frame();
    EXPECT_TRUE(g_showClickVector);

    Tap(kVkPause);
    Frame();
    Frame();
    EXPECT_TRUE(g_paused);
}

TEST_F(KeyboardInput, EscapeTwiceEndsTheProgramEvenWhilePaused) {
    g_paused = true;
    Down(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    Up(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_TRUE(g_paused) << "the title menu leaves the pause as it was";
    Down(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(Frame(), 0);
    Up(kVkEscape);
    EXPECT_EQ(Frame(), 1);
}

TEST_F(KeyboardInput, TitleMenuSpacePlaysTheCurrentLevelAndF1OpensTheIntroduction) {
    g_showTitleMenu = true;
    g_levelIndex = 1;
    Level* before = g_level.get();
    Tap(kVkSpace);
    Frame();
    EXPECT_NE(g_level.get(), before) << "the level starts afresh";
    EXPECT_EQ(g_levelIndex, 1);
    EXPECT_FALSE(g_showTitleMenu);
    EXPECT_FALSE(g_showIntroduction);

    g_showTitleMenu = true;
    Tap(kVkF1);
    Frame();
    EXPECT_FALSE(g_showTitleMenu);
    EXPECT_TRUE(g_showIntroduction);

    // The introduction ignores Space and goes back to the title menu on Escape.
    before = g_level.get();
    Tap(kVkSpace);
    Frame();
    EXPECT_EQ(g_level.get(), before);
    EXPECT_TRUE(g_showIntroduction);
    Up(kVkSpace);  // unpolled on the introduction, the tap would still count on the title menu
    Tap(kVkEscape);
    Frame();
    Frame();
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_FALSE(g_showIntroduction);
}

TEST_F(KeyboardInput, SpaceRetriesALostLevelOnceEvenWhenHeld) {
    g_levelIndex = 2;
    g_level->lost = true;
    Level* lost = g_level.get();
    Down(kVkSpace);
    Frame();
    Level* retried = g_level.get();
    EXPECT_NE(retried, lost);
    EXPECT_EQ(g_levelIndex, 2);
    Frame();
    EXPECT_EQ(g_level.get(), retried) << "in play Space does nothing";
}

TEST_F(KeyboardInput, SpaceAfterAWinGoesOnAndWrapsAfterTheLastLevel) {
    g_level->won = true;
    Tap(kVkSpace);
    Frame();
    EXPECT_EQ(g_levelIndex, 1);
    EXPECT_FALSE(g_level->won);

    g_levelIndex = 2;
    g_level->won = true;
    Tap(kVkSpace);
    Frame();
    EXPECT_EQ(g_levelIndex, 0);
}

TEST_F(KeyboardInput, EndSkipsALevelOnReleaseAndWrapsToTheFirst) {
    g_levelIndex = 1;
    Tap(kVkEnd);
    Frame();
    EXPECT_EQ(g_levelIndex, 1);
    Frame();
    EXPECT_EQ(g_levelIndex, 2);
    Tap(kVkEnd);
    Frame();
    Frame();
    EXPECT_EQ(g_levelIndex, 0);
}

TEST_F(KeyboardInput, FreeCameraMovesOnlyWhilePaused) {
    g_camera.position = Vec3(0.0f, 0.0f, 0.0f);
    Down('W');
    Down('R');
    Down(kVkLeft);
    Frame();
    EXPECT_EQ(g_camera.position, Vec3(0.0f, 0.0f, 0.0f));

    g_paused = true;
    Frame();
    // Walk 2.5 * dt along look (0, 0, 1) and fly 2.5 * dt along up (0, 1, 0).
    EXPECT_NEAR(g_camera.position.z, 1.25f, 1e-6f);
    EXPECT_NEAR(g_camera.position.y, 1.25f, 1e-6f);
    // Yaw left turns look away from +z towards -x.
    EXPECT_LT(g_camera.look.x, 0.0f);

    // While paused M rolls the camera as well as toggling the music on release.
    Up('W');
    Up('R');
    Up(kVkLeft);
    const Vec3 upBefore = g_camera.up;
    Down('M');
    Frame();
    EXPECT_FALSE(g_camera.up == upBefore);
    Up('M');
    Frame();
    EXPECT_TRUE(g_musicOff);
}

TEST_F(KeyboardInput, NothingHappensWithoutADevice) {
    g_device = nullptr;
    g_showTitleMenu = true;
    Tap(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    Up(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    EXPECT_FALSE(g_latchEscape.set);
}

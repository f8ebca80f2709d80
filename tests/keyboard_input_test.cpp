#include <gtest/gtest.h>

#include "GameFixture.h"
#include "platform/Keyboard.h"
#include "shell/KeyboardInput.h"

namespace {
class KeyboardInput : public GameFixture {
protected:
    FakeKeyboard keys;

    void SetUp() override {
        GameFixture::SetUp();
        catalogue.levels = {"one.txt", "two.txt", "three.txt"};  // missing files still make levels
        SetInputKeyboard(&keys);
    }
    void TearDown() override {
        SetInputKeyboard(nullptr);
        GameFixture::TearDown();
    }
    void Down(int vk) { keys.Set(vk, Keyboard::kDown); }
    void Up(int vk) { keys.Set(vk, 0); }
    // Down and up again between two frames: only the pressed-since bit shows, once.
    void Tap(int vk) { keys.Set(vk, Keyboard::kPressedSince); }
    int Frame() { return HandleKeyboard(0.5f); }
};
}  // namespace

TEST(KeyState, PressedWhenDownNowOrPressedSinceTheLastQuery) {
    EXPECT_TRUE(KeyCountsAsPressed(0x8000) && KeyCountsAsPressed(0x0001));
    EXPECT_FALSE(KeyCountsAsPressed(0x0000) || KeyCountsAsPressed(0x4000));
}

TEST_F(KeyboardInput, LatchedTogglesActOnceOnReleaseEvenForATapShorterThanAFrame) {
    g_showGrid = true;
    Down('G');
    Frame(), Frame();
    EXPECT_TRUE(g_showGrid);
    Up('G');
    Frame(), Frame();
    EXPECT_FALSE(g_showGrid);

    Tap('V');
    Frame();
    EXPECT_FALSE(g_showClickVector);
    Frame(), Frame();
    EXPECT_TRUE(g_showClickVector);
}

TEST_F(KeyboardInput, EscapeTwiceEndsTheProgramAndLeavesThePauseAsItWas) {
    g_paused = true;
    Tap(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(Frame(), 0);
    EXPECT_TRUE(g_showTitleMenu && g_paused);
    Down(kVkEscape);
    EXPECT_EQ(Frame(), 0);
    Up(kVkEscape);
    EXPECT_EQ(Frame(), 1);
}

TEST_F(KeyboardInput, TitleMenuSpaceF1AndTheIntroduction) {
    g_showTitleMenu = true;
    g_levelIndex = 1;
    Level* before = g_level.get();
    Tap(kVkSpace);
    Frame();
    EXPECT_NE(g_level.get(), before) << "the current level starts afresh";
    EXPECT_EQ(g_levelIndex, 1);
    EXPECT_FALSE(g_showTitleMenu || g_showIntroduction);

    g_showTitleMenu = true;
    Tap(kVkF1);
    Frame();
    EXPECT_TRUE(!g_showTitleMenu && g_showIntroduction);
    before = g_level.get();
    Down(kVkSpace);
    Frame();
    EXPECT_EQ(g_level.get(), before) << "the introduction ignores Space";
    Up(kVkSpace);
    Tap(kVkEscape);
    Frame(), Frame();
    EXPECT_TRUE(g_showTitleMenu && !g_showIntroduction);
}

TEST_F(KeyboardInput, SpaceRetriesALostLevelOnceAndGoesOnAfterAWinWrappingAtTheEnd) {
    g_levelIndex = 2;
    g_level->lost = true;
    Level* lost = g_level.get();
    Down(kVkSpace);
    Frame();
    Level* retried = g_level.get();
    EXPECT_NE(retried, lost);
    Frame();
    EXPECT_EQ(g_level.get(), retried) << "held down, it loads once: in play Space does nothing";
    EXPECT_EQ(g_levelIndex, 2);

    g_level->won = true;
    Frame();
    EXPECT_EQ(g_levelIndex, 0);
    g_level->won = true;
    Frame();
    EXPECT_EQ(g_levelIndex, 1);
}

TEST_F(KeyboardInput, EndSkipsALevelOnReleaseAndWrapsToTheFirst) {
    g_levelIndex = 1;
    Tap(kVkEnd);
    Frame();
    EXPECT_EQ(g_levelIndex, 1);
    Frame();
    EXPECT_EQ(g_levelIndex, 2);
    Tap(kVkEnd);
    Frame(), Frame();
    EXPECT_EQ(g_levelIndex, 0);
}

TEST_F(KeyboardInput, FreeCameraMovesOnlyWhilePausedAndMAlsoRolls) {
    for (int vk : {int('W'), int('R'), kVkLeft}) Down(vk);
    Frame();
    EXPECT_EQ(g_camera.position, Vec3(0.0f, 0.0f, 0.0f));
    g_paused = true;
    Frame();
    // Walk 2.5 * dt along look (0, 0, 1), fly 2.5 * dt along up (0, 1, 0), then yaw left.
    EXPECT_NEAR(g_camera.position.z, 1.25f, 1e-6f);
    EXPECT_NEAR(g_camera.position.y, 1.25f, 1e-6f);
    EXPECT_LT(g_camera.look.x, 0.0f);
    for (int vk : {int('W'), int('R'), kVkLeft}) Up(vk);
    const Vec3 up = g_camera.up;
    Down('M');
    Frame();
    EXPECT_FALSE(g_camera.up == up);
    Up('M');
    Frame();
    EXPECT_TRUE(g_musicOff);
}

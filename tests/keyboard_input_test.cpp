#include <gtest/gtest.h>

#include "GameFixture.h"
#include "platform/Keyboard.h"
#include "screens/GameKeys.h"
#include "screens/InputPath.h"

namespace {
class KeyboardInput : public GameFixture {
protected:
    FakeKeyboard keys;

    void SetUp() override {
        GameFixture::SetUp();
        catalogue.levels = {"one.txt", "two.txt", "three.txt"};  // missing files still make levels
    }
    void Down(int vk) { keys.Set(vk, Keyboard::kDown); }
    void Up(int vk) { keys.Set(vk, 0); }
    // Down and up again between two frames: only the pressed-since bit shows, once.
    void Tap(int vk) { keys.Set(vk, Keyboard::kPressedSince); }
    int Frame() { return HandleKeyboard(0.5f, {keys, "camera.txt"}); }
};
}  // namespace

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

// Space retries a lost level once however long it is held, and goes on after a win; End skips
// a level on release; both wrap to the first after the last.
TEST_F(KeyboardInput, SpaceRetriesOrGoesOnAndEndSkipsWrappingAtTheEnd) {
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
    for (int expected : {0, 1}) {
        g_level->won = true;
        Frame();
        EXPECT_EQ(g_levelIndex, expected);
    }
    Up(kVkSpace);
    Tap(kVkEnd);
    Frame();
    EXPECT_EQ(g_levelIndex, 1);
    Frame();
    EXPECT_EQ(g_levelIndex, 2);
    Tap(kVkEnd);
    Frame(), Frame();
    EXPECT_EQ(g_levelIndex, 0);
}

// The profile's screens read edges: a tap seen in one frame and another tap before the next
// frame are two presses (a quick player, or a test that presses again as soon as it sees the
// first press acted on), while a key held from before the screen opened is no press at all.
TEST_F(KeyboardInput, ScreenKeysCountEveryTapAndIgnoreAKeyHeldFromBefore) {
    InputPath screen;
    screen.SetSource(&keys);
    Down(kVkLeft);
    screen.Restart();
    screen.BeginFrame();
    EXPECT_FALSE(screen.Went(kVkLeft)) << "held from before the screen";
    Up(kVkLeft);
    screen.BeginFrame();
    EXPECT_TRUE(screen.Released(kVkLeft));

    int presses = 0;
    for (int frame = 0; frame < 3; ++frame) {
        Tap(kVkRight);
        screen.BeginFrame();
        presses += screen.Went(kVkRight);
    }
    screen.BeginFrame();
    EXPECT_EQ(presses, 3);
    EXPECT_FALSE(screen.Went(kVkRight)) << "no tap, no press";
}

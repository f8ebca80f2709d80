#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GameFixture.h"
#include "TempDir.h"
#include "platform/Keyboard.h"
#include "platform/WindowMessages.h"
#include "shell/FrameTimer.h"
#include "shell/MainLoop.h"
#include "shell/WindowProc.h"
#include "state/LevelProgression.h"

namespace {

// Whole frames of the game as the main loop runs them, from the screen stack's first screen
// (play with its menu screens) through the screens it pushes, with a fake keyboard. Which screen
// is up is read from the flags, from what the frame drew, and from whether the mouse goes to
// the screen as events.
class ScreenFlow : public GameFixture {
protected:
    FakeKeyboard keys;
    FrameTimer timer{1000, 0};
    int64_t now = 0;
    TempDir dir;
    std::unique_ptr<ScopedCurrentDir> inside;

    void SetUp() override {
        GameFixture::SetUp();
        inside = std::make_unique<ScopedCurrentDir>(dir.Path());
        catalogue.levels = {"one.txt", "two.txt", "three.txt"};
        for (const std::string& name : catalogue.levels)
            dir.Write("levels/" + name,
                      "style standard\nheight 3\nwidth 4\ncamera_data\n0 0 0\n0 1 0\n0 0 1\n1 0 0\nobjects 0\n"
                      "start 0 1 e\nfinish 3 1 e\nspeed 100\n");
        g_level->speed = 100.0f;  // the train stays on its tile
        SetInputKeyboard(&keys);
        g_showTitleMenu = true;
    }

    bool Frame() {
        now += 100;
        device.ClearCalls();
        return RunFrame(timer, now);
    }
    // A tap between two frames, and the two frames that see it go down and come up.
    void Press(int vk) {
        keys.Set(vk, Keyboard::kPressedSince);
        ASSERT_TRUE(Frame());
        ASSERT_TRUE(Frame());
    }
    bool Drew(const std::string& text) const {
        for (const RecordedCall& call : device.CallsNamed("DrawText"))
            if (call.text == text) return true;
        return false;
    }
    // Play is drawn on white (or on its kept picture, which was drawn on white), the four menu
    // screens on black.
    uint32_t Background() const {
        const std::vector<RecordedCall> clears = device.CallsNamed("Clear");
        if (clears.empty() && device.CallsNamed("RestoreImage").size() == 1) return kPlay;
        return clears.at(0).color;
    }
    static constexpr uint32_t kMenu = 0xFF000000u, kPlay = 0xFFFFFFFFu;
};

TEST_F(ScreenFlow, TitleStartsPlayOrTheIntroductionAndEscapeComesBackToIt) {
    Level* before = g_level.get();
    keys.Set(kVkSpace, Keyboard::kPressedSince);
    ASSERT_TRUE(Frame());
    EXPECT_FALSE(g_showTitleMenu);
    EXPECT_NE(g_level.get(), before) << "the current level starts afresh";
    ASSERT_TRUE(Frame());
    EXPECT_EQ(Background(), kPlay);
    EXPECT_FALSE(ScreensTakeMouse()) << "play picks and fires with the mouse itself";
    Press('L');
    EXPECT_FALSE(ScreensTakeMouse()) << "L opens the level list only on the title";

    Press(kVkEscape);
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_EQ(Background(), kMenu);
    Press(kVkF1);
    EXPECT_TRUE(!g_showTitleMenu && g_showIntroduction);
    EXPECT_EQ(Background(), kMenu);
    Press(kVkEscape);
    EXPECT_TRUE(g_showTitleMenu && !g_showIntroduction);

    // Escape released on the title ends the game.
    keys.Set(kVkEscape, Keyboard::kPressedSince);
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(Frame());
}

// Game over: Space plays the level again. Level complete: Space goes on, to level 0 after the
// last. Escape from either raises the title; from a paused game it leaves the game paused.
TEST_F(ScreenFlow, GameOverAndLevelCompleteGoOnWithSpaceAndEscapeRaisesTheTitle) {
    g_showTitleMenu = false;
    g_levelIndex = 1;
    g_level->lost = true;
    Level* lost = g_level.get();
    Press(kVkSpace);
    EXPECT_EQ(g_levelIndex, 1);
    EXPECT_NE(g_level.get(), lost);
    EXPECT_FALSE(g_level->lost);
    EXPECT_EQ(Background(), kPlay);

    for (int expected : {2, 0}) {
        g_level->won = true;
        Press(kVkSpace);
        EXPECT_EQ(g_levelIndex, expected);
        EXPECT_EQ(StartedLevelPath(), "levels/" + catalogue.levels[static_cast<size_t>(expected)]);
    }
    for (bool* flag : {&g_level->lost, &g_level->won}) {
        *flag = true;
        Press(kVkEscape);
        EXPECT_TRUE(g_showTitleMenu);
        g_showTitleMenu = false;
        *flag = false;
    }
    g_paused = true;
    Press(kVkEscape);
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_TRUE(g_paused);
}

// L and O on the title open the level list and the settings over it; their Escape comes back to
// the title, and that Escape is spent: the title does not take it as its own to end the game.
TEST_F(ScreenFlow, LevelListAndSettingsOpenOverTheTitleAndEscapeComesBack) {
    for (const auto& [key, page] : {std::pair{'L', "Levels"}, {'O', "Settings"}}) {
        SCOPED_TRACE(page);
        Press(key);
        EXPECT_TRUE(ScreensTakeMouse());
        EXPECT_TRUE(Drew(page));
        Press(kVkEscape);
        EXPECT_FALSE(ScreensTakeMouse());
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(Frame()) << "one Escape on the page must not end the game";
        EXPECT_TRUE(g_showTitleMenu);
        EXPECT_EQ(Background(), kMenu);
    }
    keys.Set(kVkEscape, Keyboard::kPressedSince);
    EXPECT_TRUE(Frame());
    EXPECT_FALSE(Frame()) << "a fresh Escape on the title still ends the game";
}

// The window's mouse reaches the level list: a wheel notch away from the player moves the
// choice up, towards the player down, and Space plays the level chosen.
TEST_F(ScreenFlow, TheWheelReachesTheLevelListThroughTheWindow) {
    g_levelIndex = 1;
    Press('L');
    ASSERT_TRUE(ScreensTakeMouse());
    WindowProc(nullptr, kWmMouseWheel, static_cast<WParam>(1), 0);
    ASSERT_TRUE(Frame());  // a frame's keys come before its mouse events
    Press(kVkSpace);
    EXPECT_EQ(g_levelIndex, 0);
    EXPECT_FALSE(ScreensTakeMouse());
    EXPECT_FALSE(g_showTitleMenu);
    EXPECT_EQ(Background(), kPlay);

    g_showTitleMenu = true;
    Press('L');
    WindowProc(nullptr, kWmMouseWheel, static_cast<WParam>(static_cast<intptr_t>(-2)), 0);
    ASSERT_TRUE(Frame());
    Press(kVkReturn);
    EXPECT_EQ(g_levelIndex, 2);
}

// A tap too short for any frame to see it down still reaches a key that is only polled frames
// later: G tapped on the title, then Space, shows the grid once play starts polling G.
TEST_F(ScreenFlow, ATapOnTheTitleIsKeptForTheKeyThatPollsItInPlay) {
    keys.Set('G', Keyboard::kPressedSince);
    ASSERT_TRUE(Frame());
    ASSERT_TRUE(Frame());
    keys.Set(kVkSpace, Keyboard::kPressedSince);
    ASSERT_TRUE(Frame());
    ASSERT_FALSE(g_showTitleMenu);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(Frame());
    EXPECT_TRUE(g_showGrid);
}

}  // namespace

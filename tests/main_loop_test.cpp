#include <gtest/gtest.h>

#include "GameFixture.h"
#include "platform/Keyboard.h"
#include "shell/FrameTimer.h"
#include "shell/KeyboardInput.h"
#include "shell/MainLoop.h"

namespace {
class MainLoop : public GameFixture {
protected:
    FakeKeyboard keys;
    FrameTimer timer{1000, 0};
    int64_t now = 0;

    void SetUp() override {
        GameFixture::SetUp();
        SetInputKeyboard(&keys);
        g_level->speed = 100.0f;  // the train stays on its tile through the test
    }
    void TearDown() override {
        SetInputKeyboard(nullptr);
        GameFixture::TearDown();
    }
    bool Frame(int64_t counts = 100) {
        now += counts;
        device.ClearCalls();
        return RunFrame(timer, now);
    }
    uint32_t ClearColour() { return device.CallsNamed("Clear").at(0).color; }
};
}  // namespace

TEST_F(MainLoop, PlayIsUpdatedAndDrawnWithTheFrameRateOfTheLastSecond) {
    ASSERT_TRUE(Frame());
    EXPECT_EQ(ClearColour(), 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(g_level->stepTimer, 0.1f);
    EXPECT_EQ(device.CallsNamed("DrawText").back().text, "fps: 0");
    for (int i = 0; i < 9; ++i) Frame();
    EXPECT_EQ(device.CallsNamed("DrawText").back().text, "fps: 10");
}

TEST_F(MainLoop, PausedGameIsDrawnButNotUpdatedAndResumesWithOneFramesTime) {
    g_paused = true;
    Frame();
    EXPECT_EQ(ClearColour(), 0xFFFFFFFFu);
    EXPECT_EQ(g_level->stepTimer, 0.0f);
    Frame(5000);
    g_paused = false;
    Frame(20);
    EXPECT_FLOAT_EQ(g_level->stepTimer, 0.02f);
}

TEST_F(MainLoop, MenuScreensAreDrawnOnBlackWithoutUpdate) {
    for (bool* flag : {&g_showTitleMenu, &g_showIntroduction, &g_level->lost, &g_level->won}) {
        *flag = true;
        ASSERT_TRUE(Frame());
        EXPECT_EQ(ClearColour(), 0xFF000000u);
        EXPECT_EQ(g_level->stepTimer, 0.0f);
        *flag = false;
    }
}

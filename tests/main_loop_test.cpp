#include <gtest/gtest.h>

#include "GameFixture.h"
#include "platform/Keyboard.h"
#include "shell/FrameTimer.h"
#include "shell/MainLoop.h"

// Play is updated and drawn on white with the frame rate of the last second; a paused game is
// drawn but not updated and resumes with one frame's time; menu screens are drawn on black
// without an update.
TEST_F(GameFixture, MainLoopUpdatesOnlyPlayAndDrawsEveryFrame) {
    FakeKeyboard keys;
    SetInputKeyboard(&keys);
    FrameTimer timer{1000, 0};
    int64_t now = 0;
    g_level->speed = 100.0f;  // the train stays on its tile through the test
    const auto frame = [&](int64_t counts, uint32_t clearColour) {
        now += counts;
        device.ClearCalls();
        ASSERT_TRUE(RunFrame(timer, now));
        EXPECT_EQ(device.CallsNamed("Present").size(), 1u);
        const std::vector<RecordedCall> clears = device.CallsNamed("Clear");
        if (clears.empty()) {
            // Play puts its kept standing picture back instead, once it has one.
            EXPECT_EQ(clearColour, 0xFFFFFFFFu);
            EXPECT_EQ(device.CallsNamed("RestoreImage").size(), 1u);
        } else {
            EXPECT_EQ(clears.at(0).color, clearColour);
        }
    };
    frame(100, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(g_level->stepTimer, 0.1f);
    EXPECT_EQ(device.CallsNamed("DrawText").back().text, "fps: 0");
    for (int i = 0; i < 9; ++i) frame(100, 0xFFFFFFFFu);
    EXPECT_EQ(device.CallsNamed("DrawText").back().text, "fps: 10");

    g_level->stepTimer = 0.0f;
    g_paused = true;
    frame(5000, 0xFFFFFFFFu);
    EXPECT_EQ(g_level->stepTimer, 0.0f);
    g_paused = false;
    frame(20, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(g_level->stepTimer, 0.02f);

    for (bool* flag : {&g_showTitleMenu, &g_showIntroduction, &g_level->lost, &g_level->won}) {
        *flag = true;
        g_level->stepTimer = 0.0f;
        frame(100, 0xFF000000u);
        EXPECT_EQ(g_level->stepTimer, 0.0f);
        *flag = false;
    }
    SetInputKeyboard(nullptr);
}

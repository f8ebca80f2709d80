#include <gtest/gtest.h>

#include "GameFixture.h"
#include "platform/Keyboard.h"
#include "profile/ProfileSession.h"
#include "screens/InputPath.h"
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

// Resting, a pass whose picture would not change draws and presents nothing, while the rules and
// the keys still run every pass; the frame rate counts the frames drawn; input or a change draws
// at once. The device waits for the display while the pacing is not fast.
TEST_F(GameFixture, RestingLoopDrawsOnlyThePassesWhosePictureChanges) {
    FakeKeyboard keys;
    SetInputKeyboard(&keys);
    FrameTimer timer{1000, 0};
    int64_t now = 0;
    g_level->speed = 100.0f;  // the train stays on its tile through the test
    SetRunPacing(FramePacing::Rest);
    const auto presents = [&]() {
        now += 100;
        device.ClearCalls();
        EXPECT_TRUE(RunFrame(timer, now));
        return device.CallsNamed("Present").size();
    };
    g_showTitleMenu = true;
    EXPECT_EQ(presents(), 1u);
    EXPECT_EQ(device.Lines({"SetPresentWait"}), std::vector<std::string>{"SetPresentWait(1)"});
    for (int i = 0; i < 8; ++i) EXPECT_EQ(presents(), 0u) << "the title stands still, pass " << i;
    g_showTitleMenu = false, g_paused = true;
    EXPECT_EQ(presents(), 1u) << "play comes up";
    // The second closes with two frames drawn, the first and the last.
    EXPECT_EQ(device.CallsNamed("DrawText").back().text, "fps: 2");
    EXPECT_EQ(presents(), 0u) << "paused, nothing moves";
    PushInput(InputEvent{InputEvent::Kind::MouseMove, 0, 10, 10, 0});
    EXPECT_EQ(presents(), 1u) << "input";
    g_paused = false;
    EXPECT_EQ(presents(), 1u) << "the pause ended";
    const float before = g_level->stepTimer;
    EXPECT_EQ(presents(), 0u) << "the train waits on its tile";
    EXPECT_FLOAT_EQ(g_level->stepTimer, before + 0.1f) << "the rules ran all the same";
    g_pointer.x += 1.0f;
    EXPECT_EQ(presents(), 1u) << "the pointer moved";

    SetRunPacing(FramePacing::Fast);
    EXPECT_EQ(presents(), 1u);
    EXPECT_EQ(presents(), 1u) << "fast draws every pass";
    EXPECT_EQ(device.Lines({"SetPresentWait"}), std::vector<std::string>{}) << "told once";
    SetRunPacing(FramePacing::Display);
    EXPECT_EQ(presents(), 1u);
    EXPECT_EQ(presents(), 1u) << "display draws every pass";
    SetRunPacing(FramePacing::Fast);
    SetInputKeyboard(nullptr);
}

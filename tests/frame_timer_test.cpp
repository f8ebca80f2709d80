#include <gtest/gtest.h>

#include "shell/FrameTimer.h"

TEST(FrameTimer, DeltaIsCountsSinceThePreviousFrameOverFrequency) {
    FrameTimer timer(1000, 5000);
    EXPECT_FLOAT_EQ(timer.BeginFrame(5016), 0.016f);
    timer.EndFrame(5016);
    EXPECT_FLOAT_EQ(timer.BeginFrame(5050), 0.034f);
    // Without EndFrame (the loop left before it) the next dt still counts from the last end.
    EXPECT_FLOAT_EQ(timer.BeginFrame(5100), 0.084f);
}

TEST(FrameTimer, FpsIsZeroUntilAWholeSecondHasPassed) {
    FrameTimer timer(1000, 0);
    for (int64_t now = 100; now < 1000; now += 100) {
        timer.BeginFrame(now);
        timer.EndFrame(now);
        EXPECT_EQ(timer.Fps(), 0) << now;
    }
    // The frame that reaches the second counts in the interval it closes: 10 frames.
    timer.BeginFrame(1000);
    EXPECT_EQ(timer.Fps(), 10);
}

TEST(FrameTimer, LongFrameClosesItsIntervalInWholeSeconds) {
    FrameTimer timer(1000, 0);
    for (int64_t now = 1; now <= 4; ++now) timer.BeginFrame(now);
    // 2.5 seconds count as 2: five frames over two seconds is 2.5, truncated to 2.
    timer.BeginFrame(2500);
    EXPECT_EQ(timer.Fps(), 2);
    // The next interval starts at the closing frame, not at the previous second boundary.
    timer.BeginFrame(3000);
    timer.BeginFrame(3499);
    EXPECT_EQ(timer.Fps(), 2);
    timer.BeginFrame(3500);
    EXPECT_EQ(timer.Fps(), 3);
}

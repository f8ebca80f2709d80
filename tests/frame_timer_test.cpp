#include <gtest/gtest.h>

#include "shell/FrameTimer.h"

TEST(FrameTimer, DeltaCountsFromTheLastEndAndFpsClosesWholeSeconds) {
    FrameTimer timer(1000, 5000);
    EXPECT_FLOAT_EQ(timer.BeginFrame(5016), 0.016f);
    timer.EndFrame(5016);
    EXPECT_FLOAT_EQ(timer.BeginFrame(5050), 0.034f);
    EXPECT_FLOAT_EQ(timer.BeginFrame(5100), 0.084f);  // no EndFrame: still from the last end

    // Zero until a whole second has passed; the frame reaching it counts in the interval it closes.
    FrameTimer fps(1000, 0);
    for (int64_t now = 100; now < 1000; now += 100) {
        fps.BeginFrame(now);
        fps.EndFrame(now);
        EXPECT_EQ(fps.Fps(), 0) << now;
    }
    fps.BeginFrame(1000);
    EXPECT_EQ(fps.Fps(), 10);
    // Five frames over a long 2.5 s count as 2.5 per second, truncated; the next interval starts
    // at the closing frame, not at the previous whole second.
    FrameTimer slow(1000, 0);
    for (int64_t now : {1, 2, 3, 4, 2500}) slow.BeginFrame(now);
    EXPECT_EQ(slow.Fps(), 2);
    slow.BeginFrame(3000);
    slow.BeginFrame(3499);
    EXPECT_EQ(slow.Fps(), 2);
    slow.BeginFrame(3500);
    EXPECT_EQ(slow.Fps(), 3);
}

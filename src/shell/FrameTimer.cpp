#include "shell/FrameTimer.h"

FrameTimer::FrameTimer(int64_t frequency_, int64_t start)
    : frequency(frequency_ > 0 ? frequency_ : 1), previousCount(start), intervalStartCount(start) {}

float FrameTimer::BeginFrame(int64_t now) {
    ++framesInInterval;
    const float dt = static_cast<float>(static_cast<double>(now - previousCount) / static_cast<double>(frequency));
    // Whole seconds, truncated: a 2.5-second frame closes its interval as 2 seconds. The frame
    // being run counts in the interval it closes.
    const int64_t wholeSeconds = (now - intervalStartCount) / frequency;
    justClosed = wholeSeconds >= 1;
    if (justClosed) {
        closedFrames = framesInInterval;
        closedSeconds = wholeSeconds;
        fps = static_cast<int32_t>(static_cast<double>(framesInInterval) / static_cast<double>(wholeSeconds));
        intervalStartCount = now;
        framesInInterval = 0;
    }
    return dt;
}

void FrameTimer::DropFrame() {
    if (justClosed) {
        // The frame was counted in the interval it closed.
        --closedFrames;
        fps = static_cast<int32_t>(static_cast<double>(closedFrames) / static_cast<double>(closedSeconds));
        justClosed = false;
    } else if (framesInInterval > 0) {
        --framesInInterval;
    }
}

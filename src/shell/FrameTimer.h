#pragma once
#include <cstdint>

// The frame timing of the main loop, fed with performance-counter readings.
class FrameTimer {
public:
    // Starts at counter reading `start`, with `frequency` counts per second.
    FrameTimer(int64_t frequency, int64_t start);

    // Counts one frame at counter reading `now` and returns dt, the seconds since the previous
    // frame; closes the frame-rate interval once at least a whole second has passed in it.
    float BeginFrame(int64_t now);
    // Takes back the count of the frame begun last, which was not drawn after all: the frame rate
    // counts the frames drawn (dt goes on from that frame's reading all the same).
    void DropFrame();
    // Makes `now` the previous frame's reading for the next dt.
    void EndFrame(int64_t now) { previousCount = now; }
    // Frames per second over the last closed interval; 0 until the first one closes.
    int32_t Fps() const { return fps; }

private:
    int64_t frequency;
    int64_t previousCount;
    int64_t intervalStartCount;
    int32_t framesInInterval = 0;
    int32_t fps = 0;
    // The interval the frame begun last closed, if it closed one: its frames and whole seconds.
    bool justClosed = false;
    int32_t closedFrames = 0;
    int64_t closedSeconds = 0;
};

#pragma once
// An audio output for tests: the test pulls the mixed samples itself, so nothing depends on an
// audio thread's timing.
#include <vector>

#include "platform/AudioOutput.h"

class PulledOutput : public AudioOutput {
public:
    Result Start(uint16_t channels_, uint32_t rate_, FillFunction fill_, void* context_) override {
        channels = channels_;
        rate = rate_;
        fill = fill_;
        context = context_;
        return kOk;
    }
    void Stop() override { fill = nullptr; }

    // The next `frames` frames of the mix.
    std::vector<int16_t> Pull(uint32_t frames) {
        std::vector<int16_t> out(size_t(frames) * channels, 1234);
        fill(context, out.data(), frames, channels);
        return out;
    }

    uint16_t channels = 0;
    uint32_t rate = 0;
    FillFunction fill = nullptr;
    void* context = nullptr;
};

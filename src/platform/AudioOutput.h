#pragma once
#include <cstdint>
#include <memory>

#include "platform/Result.h"

// The sound card's output stream: 16-bit samples at a fixed rate, pulled from a fill function
// on the audio thread.
class AudioOutput {
public:
    // Fills `frames` frames of `channels` interleaved samples; runs on the audio thread.
    using FillFunction = void (*)(void* context, int16_t* samples, uint32_t frames, uint32_t channels);

    virtual ~AudioOutput() = default;
    // Opens the default output device with exactly this format and starts calling `fill`.
    virtual Result Start(uint16_t channels, uint32_t samplesPerSecond, FillFunction fill, void* context) = 0;
    // Closes the device; once this returns, `fill` is not called again.
    virtual void Stop() = 0;
};

// The audio back end, ready to open a device; null when no audio driver can be started.
std::unique_ptr<AudioOutput> CreateAudioOutput();

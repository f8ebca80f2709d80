#pragma once
#include <cstdint>
#include <mutex>
#include <vector>

class SoundBuffer;

// Sums the playing sound buffers into the device's output. The game thread changes buffers
// and the audio thread mixes them, both under `lock`; Mix never allocates.
class Mixer {
public:
    std::mutex lock;  // guards the voice list and each buffer's play state, position and samples

    // Adds a buffer to the voices (game thread).
    void Attach(SoundBuffer* buffer);
    // Removes a buffer; once this returns, Mix no longer reads it (game thread).
    void Detach(SoundBuffer* buffer);
    // Fills `frames` frames of `channels` interleaved samples with the sum of the playing
    // buffers, passed through LimitSample, and advances them; a buffer that reaches its end
    // stops and goes back to its start (audio thread).
    void Mix(int16_t* out, uint32_t frames, uint32_t channels);

private:
    std::vector<SoundBuffer*> voices;
};

// Below this a sum of voices is output unchanged (-2.5 dBFS).
constexpr int32_t kLimiterKnee = 24576;
// No output sample reaches this (-1.06 dBFS), however many loud voices pile up.
constexpr int32_t kLimiterCeiling = 29000;

// One output sample from a sum of voices: unchanged up to the knee, above it bent smoothly
// (with no step and no corner) towards the ceiling, so a pile-up of sounds is never clipped.
int16_t LimitSample(int32_t sum);

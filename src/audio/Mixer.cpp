#include "audio/Mixer.h"

#include <algorithm>
#include <cmath>

#include "audio/SampleConversion.h"
#include "audio/SoundBuffer.h"

void Mixer::Attach(SoundBuffer* buffer) {
    std::lock_guard<std::mutex> guard(lock);
    voices.push_back(buffer);
}

void Mixer::Detach(SoundBuffer* buffer) {
    std::lock_guard<std::mutex> guard(lock);
    voices.erase(std::remove(voices.begin(), voices.end(), buffer), voices.end());
}

int16_t LimitSample(int32_t sum) {
    const int32_t magnitude = sum < 0 ? -sum : sum;
    if (magnitude <= kLimiterKnee) return int16_t(sum);
    // tanh leaves the knee with slope 1 and only approaches the room above it.
    const float room = float(kLimiterCeiling - kLimiterKnee);
    const float bent = float(kLimiterKnee) + room * std::tanh(float(magnitude - kLimiterKnee) / room);
    // Truncation keeps it below the ceiling even where tanh rounds to 1.
    const int32_t limited = std::min(int32_t(bent), kLimiterCeiling - 1);
    return int16_t(sum < 0 ? -limited : limited);
}

void Mixer::Mix(int16_t* out, uint32_t frames, uint32_t channels) {
    std::lock_guard<std::mutex> guard(lock);
    for (uint32_t frame = 0; frame < frames; ++frame) {
        int32_t sum = 0;
        for (SoundBuffer* voice : voices) {
            if (!voice->playing) continue;
            const SampleData& samples = *voice->samples;
            if (voice->position < samples.length)
                sum += (int32_t(ResampledAt(samples.data, samples.rate, samples.deviceRate, voice->position++)) * voice->gain) >> 16;
            if (voice->position >= samples.length) {
                // A buffer played once stops at its end and starts from the beginning next time.
                voice->position = 0;
                voice->playing = voice->looping && samples.length > 0;
            }
        }
        const int16_t value = LimitSample(sum);
        for (uint32_t c = 0; c < channels; ++c) out[frame * channels + c] = value;
    }
}

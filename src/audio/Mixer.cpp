#include "audio/Mixer.h"

#include <algorithm>

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
        const int16_t value = int16_t(std::clamp(sum, -32768, 32767));
        for (uint32_t c = 0; c < channels; ++c) out[frame * channels + c] = value;
    }
}

#include "audio/SampleConversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The encoding behind a format tag: the extensible record names it in the first two bytes of
// its sub-format GUID, which follows 6 bytes of valid-bits and channel-mask fields.
uint16_t Encoding(const WaveFormat& format) {
    if (format.formatTag != kFormatExtensible) return format.formatTag;
    if (format.extra.size() < 22) return 0;
    return uint16_t(format.extra[6] | format.extra[7] << 8);
}

// One sample as a value in [-32768, 32767].
int32_t SampleAt(const uint8_t* p, uint16_t encoding, uint16_t bits) {
    if (encoding == kFormatFloat) {
        float f;
        std::memcpy(&f, p, 4);
        if (!(f == f)) return 0;  // NaN
        return static_cast<int32_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * 32767.0f));
    }
    switch (bits) {
        case 8: return (int32_t(p[0]) - 128) << 8;  // 8-bit samples are unsigned around 128
        case 16: return int16_t(p[0] | p[1] << 8);
        case 24: return int16_t(p[1] | p[2] << 8);
        default: return int16_t(p[2] | p[3] << 8);
    }
}

}  // namespace

bool CanConvert(const WaveFormat& format) {
    const uint16_t encoding = Encoding(format);
    const uint16_t bits = format.bitsPerSample;
    const bool integer = encoding == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool floating = encoding == kFormatFloat && bits == 32;
    return (integer || floating) && format.channels > 0 &&
           format.blockAlign >= uint32_t(format.channels) * (bits / 8) && format.samplesPerSec >= kMinSampleRate &&
           format.samplesPerSec <= kMaxSampleRate;
}

uint64_t DeviceSampleCount(uint64_t frames, uint32_t rate, uint32_t deviceRate) {
    return rate == 0 ? 0 : frames * deviceRate / rate;
}

bool ConvertToMono(const WaveFormat& format, const uint8_t* data, size_t bytes, std::vector<int16_t>* out) {
    if (!CanConvert(format)) return false;
    const uint16_t encoding = Encoding(format);
    const size_t sampleBytes = format.bitsPerSample / 8;
    const size_t frames = bytes / format.blockAlign;
    out->assign(frames, 0);
    for (size_t frame = 0; frame < frames; ++frame) {
        const uint8_t* p = data + frame * format.blockAlign;
        int32_t sum = 0;
        for (uint16_t c = 0; c < format.channels; ++c) sum += SampleAt(p + c * sampleBytes, encoding, format.bitsPerSample);
        (*out)[frame] = int16_t(sum / int32_t(format.channels));
    }
    return true;
}

int16_t ResampledAt(const std::vector<int16_t>& mono, uint32_t rate, uint32_t deviceRate, uint64_t i) {
    // Source position i * rate / deviceRate, kept as a whole frame and an exact remainder.
    const uint64_t scaled = i * rate;
    const uint64_t frame = scaled / deviceRate;
    const uint64_t remainder = scaled % deviceRate;
    if (frame >= mono.size()) return 0;
    int32_t value = mono[frame];
    if (remainder && frame + 1 < mono.size())
        value += int32_t((int64_t(mono[frame + 1]) - value) * int64_t(remainder) / int64_t(deviceRate));
    return int16_t(value);
}

bool ConvertToDeviceSamples(const WaveFormat& format, const uint8_t* data, size_t bytes, uint32_t deviceRate,
                            std::vector<int16_t>* out) {
    std::vector<int16_t> mono;
    if (deviceRate == 0 || !ConvertToMono(format, data, bytes, &mono)) return false;
    out->resize(DeviceSampleCount(mono.size(), format.samplesPerSec, deviceRate));
    for (size_t i = 0; i < out->size(); ++i) (*out)[i] = ResampledAt(mono, format.samplesPerSec, deviceRate, i);
    return true;
}

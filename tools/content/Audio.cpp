#include "Audio.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

float LowPass::Run(float x, float cutoff) {
    const float a = 1.0f - std::exp(-2.0f * 3.14159265f * cutoff / kSampleRate);
    y += a * (x - y);
    return y;
}

void Finish(Samples& s, float peak, double fadeSeconds) {
    float largest = 0.0f;
    for (float v : s.data) largest = std::max(largest, std::fabs(v));
    if (largest > 0.0f)
        for (float& v : s.data) v *= peak / largest;
    const size_t fade = std::min(s.data.size() / 2, static_cast<size_t>(fadeSeconds * kSampleRate));
    for (size_t i = 0; i < fade; ++i) {
        const float g = static_cast<float>(i) / fade;
        s.data[i] *= g;
        s.data[s.data.size() - 1 - i] *= g;
    }
}

std::vector<unsigned char> WavBytes(const Samples& s) {
    std::vector<unsigned char> out;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        out.push_back(static_cast<unsigned char>(v));
        out.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
    const uint32_t dataBytes = static_cast<uint32_t>(s.data.size() * 2);
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);                // PCM
    put16(1);                // one channel
    put32(kSampleRate);
    put32(kSampleRate * 2);  // bytes per second
    put16(2);                // block alignment
    put16(16);               // bits per sample
    tag("data");
    put32(dataBytes);
    for (float v : s.data) {
        const long q = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        put16(static_cast<uint16_t>(static_cast<int16_t>(q)));
    }
    return out;
}

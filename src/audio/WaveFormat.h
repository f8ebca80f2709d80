#pragma once
#include <cstdint>
#include <vector>

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

// The format record of a WAVE file: the 16-byte PCM part, the extra-byte count and the extra
// bytes (empty for PCM).
struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t cbSize = 0;
    std::vector<uint8_t> extra;  // cbSize bytes
};

#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/WaveFormat.h"

// The sample rates a sound may have.
constexpr uint32_t kMinSampleRate = 100;
constexpr uint32_t kMaxSampleRate = 200000;

// True when the conversions below can read data of this format: integer PCM of 8, 16, 24 or
// 32 bits or 32-bit float (plain or in the extensible record), any channel count, a frame size
// that holds all channels, and a rate from kMinSampleRate to kMaxSampleRate.
bool CanConvert(const WaveFormat& format);

// Converts the whole frames in `bytes` of `data` to mono 16-bit samples at the data's own rate
// (at most twice the data's size): the channels averaged. False when !CanConvert(format).
bool ConvertToMono(const WaveFormat& format, const uint8_t* data, size_t bytes, std::vector<int16_t>* out);

// Device sample `i` of `mono` samples at `rate` played at `deviceRate`, by linear interpolation;
// 0 past the end.
int16_t ResampledAt(const std::vector<int16_t>& mono, uint32_t rate, uint32_t deviceRate, uint64_t i);

// ConvertToMono, then every device sample at `deviceRate`.
bool ConvertToDeviceSamples(const WaveFormat& format, const uint8_t* data, size_t bytes, uint32_t deviceRate,
                            std::vector<int16_t>* out);

// Number of device samples ConvertToDeviceSamples makes from `frames` frames at `rate`.
uint64_t DeviceSampleCount(uint64_t frames, uint32_t rate, uint32_t deviceRate);

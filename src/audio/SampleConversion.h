#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/WaveFormat.h"

// True when ConvertToDeviceSamples can read data of this format: integer PCM of 8, 16, 24 or
// 32 bits or 32-bit float (plain or in the extensible record), any channel count, a frame size
// that holds all channels, and a rate from 8000 to 384000 samples per second.
bool CanConvert(const WaveFormat& format);

// Converts the whole frames in `bytes` of `data` to mono 16-bit samples at `deviceRate`: the
// channels averaged, the rate changed by linear interpolation. False when !CanConvert(format).
bool ConvertToDeviceSamples(const WaveFormat& format, const uint8_t* data, size_t bytes, uint32_t deviceRate,
                            std::vector<int16_t>* out);

// Number of device samples ConvertToDeviceSamples makes from `frames` frames at `rate`.
uint64_t DeviceSampleCount(uint64_t frames, uint32_t rate, uint32_t deviceRate);

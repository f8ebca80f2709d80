#pragma once
#include <cstdint>

#include "platform/Result.h"

// Status codes and flags of the audio layer, in the same signed convention as the rest of the
// platform layer: 0 success, negative failure, S_FALSE a second success value.
constexpr Result kSFalse = 1;
constexpr Result kNotInitialized = static_cast<Result>(0x800401F0u);  // CO_E_NOTINITIALIZED
constexpr Result kInvalidArg = static_cast<Result>(0x80070057u);
constexpr Result kOutOfMemory = static_cast<Result>(0x8007000Eu);
constexpr Result kNoVirtualization = static_cast<Result>(0x0878000Au);  // a success code
constexpr Result kBufferLost = static_cast<Result>(0x88780096u);

// Buffer status bits.
constexpr uint32_t kStatusPlaying = 0x1;
constexpr uint32_t kStatusBufferLost = 0x2;

// Buffer creation flags.
constexpr uint32_t kCapsPrimaryBuffer = 0x1;
constexpr uint32_t kCapsCtrlFrequency = 0x20;
constexpr uint32_t kCapsCtrlPan = 0x40;
constexpr uint32_t kCapsCtrlVolume = 0x80;
constexpr uint32_t kCapsCtrlFx = 0x200;

// Cooperative level the game asks for; the mixer has only one level, so it is recorded only.
constexpr uint32_t kCooperativePriority = 2;

// Identifies a 3D processing algorithm; the mono mixer has none, so it is passed along unused.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};

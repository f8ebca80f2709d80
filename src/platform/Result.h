#pragma once
#include <cstdint>

// Status codes of the platform layer, in the signed 32-bit convention the game checks:
// 0 is success, negative is failure. The graphics codes keep the published values by which
// the game chooses its error texts.
using Result = int32_t;

constexpr Result kOk = 0;
constexpr Result kFail = static_cast<Result>(0x80004005u);
constexpr Result kErrInvalidCall = static_cast<Result>(0x8876086Cu);
constexpr Result kErrInvalidDevice = static_cast<Result>(0x8876086Bu);
constexpr Result kErrOutOfVideoMemory = static_cast<Result>(0x8876017Cu);
constexpr Result kErrNotAvailable = static_cast<Result>(0x8876086Au);
constexpr Result kErrDeviceLost = static_cast<Result>(0x88760868u);
constexpr Result kErrDriverInternalError = static_cast<Result>(0x88760827u);

inline bool Failed(Result r) { return r < 0; }

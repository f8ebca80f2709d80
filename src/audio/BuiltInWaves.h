#pragma once
#include <cstddef>
#include <cstdint>

// WAVE data compiled into the program, found by the name a sound file would have. The reader
// falls back to it when no file of that name exists. False when the name is not in the table.
bool FindBuiltInWave(const char* name, const uint8_t** bytes, size_t* count);

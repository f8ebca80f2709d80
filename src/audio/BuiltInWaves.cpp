#include "audio/BuiltInWaves.h"

#include <cstring>
#include <span>

namespace {

struct BuiltInWave {
    const char* name;
    const uint8_t* bytes;
    size_t count;
};

// The program ships its sounds as files in the style folder, so the table is empty; an entry
// added here is found by the same name a missing file would have.
constexpr std::span<const BuiltInWave> kBuiltInWaves{};

}  // namespace

bool FindBuiltInWave(const char* name, const uint8_t** bytes, size_t* count) {
    for (const BuiltInWave& wave : kBuiltInWaves) {
        if (std::strcmp(wave.name, name) == 0) {
            *bytes = wave.bytes;
            *count = wave.count;
            return true;
        }
    }
    return false;
}

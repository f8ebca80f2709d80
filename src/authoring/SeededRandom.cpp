#include "authoring/SeededRandom.h"

SeededRandom::SeededRandom(std::string_view seed) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : seed) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    state_ = hash;
}

uint64_t SeededRandom::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int32_t SeededRandom::Below(int32_t n) {
    const uint64_t range = static_cast<uint64_t>(n);
    const uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    uint64_t value;
    do value = Next();
    while (value >= limit);
    return static_cast<int32_t>(value % range);
}

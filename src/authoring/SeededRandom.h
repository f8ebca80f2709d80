#pragma once
#include <cstdint>
#include <string_view>

// A random generator of our own, so that a seed gives the same numbers with every compiler and C
// library (the standard library's engines are portable, its distributions and hashes are not):
// SplitMix64, seeded with the 64-bit FNV-1a hash of the seed's bytes.
class SeededRandom {
public:
    explicit SeededRandom(std::string_view seed);
    // The next 64 random bits.
    uint64_t Next();
    // A whole number from 0 to n - 1 (n > 0), without the bias of a plain remainder.
    int32_t Below(int32_t n);
    // A whole number from low to high, both included.
    int32_t Between(int32_t low, int32_t high) { return low + Below(high - low + 1); }
    // True `percent` times in a hundred.
    bool Chance(int32_t percent) { return Below(100) < percent; }

private:
    uint64_t state_;
};

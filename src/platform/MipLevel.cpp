#include "platform/MipLevel.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

// The two source pixels a level pixel reads along one side, and the weight of the second out
// of 256.
struct Tap {
    int first;
    int second;
    uint32_t weight;
};

// Level pixel i covers the source point (i + 0.5) * from / to, whose distance past the centre
// of source pixel k is ((2i + 1) * from - to) / (2 * to) - k.
std::vector<Tap> Taps(int from, int to) {
    std::vector<Tap> taps(static_cast<size_t>(to));
    const int64_t span = 2 * static_cast<int64_t>(to);
    for (int i = 0; i < to; ++i) {
        const int64_t point = (2 * static_cast<int64_t>(i) + 1) * from - to;
        const int first = static_cast<int>(point / span);
        const int64_t rest = point % span;
        taps[i] = {first, std::min(first + 1, from - 1), static_cast<uint32_t>((rest * 256 + to) / span)};
    }
    return taps;
}

}  // namespace

void HalveRgba(int width, int height, const uint8_t* from, uint8_t* to) {
    const int w = HalfSide(width), h = HalfSide(height);
    const std::vector<Tap> xs = Taps(width, w), ys = Taps(height, h);
    const size_t stride = static_cast<size_t>(width) * 4;
    for (const Tap& y : ys) {
        const uint8_t* upper = from + y.first * stride;
        const uint8_t* lower = from + y.second * stride;
        for (const Tap& x : xs) {
            const size_t a = static_cast<size_t>(x.first) * 4, b = static_cast<size_t>(x.second) * 4;
            for (int c = 0; c < 4; ++c) {
                const uint32_t top = (upper[a + c] * (256 - x.weight) + upper[b + c] * x.weight + 128) >> 8;
                const uint32_t bottom = (lower[a + c] * (256 - x.weight) + lower[b + c] * x.weight + 128) >> 8;
                *to++ = static_cast<uint8_t>((top * (256 - y.weight) + bottom * y.weight + 128) >> 8);
            }
        }
    }
}

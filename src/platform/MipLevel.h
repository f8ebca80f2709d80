#pragma once
#include <cstdint>

// A side of the next mipmap level: half the side rounded down, at least 1.
inline int HalfSide(int side) { return side > 1 ? side / 2 : 1; }

// Writes the next mipmap level of an RGBA image `width` by `height` into `to`, which holds
// HalfSide(width) * HalfSide(height) * 4 bytes. Each pixel of the level samples the image
// bilinearly at the point its own centre covers, as the GL's own generation does: on an even
// side that is the mean of a pair of pixels, on an odd side the pair nearest that point,
// weighted by distance (and on a side of 3, the middle pixel alone). Weights are in 256ths and
// each of the three blends rounds to 8 bits, which gives the software GL's own levels exactly.
void HalveRgba(int width, int height, const uint8_t* from, uint8_t* to);

#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A deterministic pseudo-random source (xorshift), so generated content never changes between runs.
class Random {
public:
    explicit Random(uint32_t seed) : state(seed ? seed : 1u) {}
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }
    // Uniform in [-1, 1).
    float Signed() { return Unit() * 2.0f - 1.0f; }

private:
    uint32_t state;
};

struct Colour3 {
    float r, g, b;  // 0..1
};

// An RGB image in floating point, drawn into by the texture generators and saved as PNG.
class Image {
public:
    Image(int w, int h, Colour3 fill = {0, 0, 0});
    int width, height;
    std::vector<Colour3> pixels;

    Colour3& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    // Blends colour c over the pixel by coverage a (0..1); pixels outside are ignored.
    void Blend(int x, int y, Colour3 c, float a);
    void FillRect(int x0, int y0, int x1, int y1, Colour3 c);
    // A filled disc with a one-pixel soft edge.
    void FillCircle(float cx, float cy, float r, Colour3 c);
    // A ring between radii r0 and r1.
    void FillRing(float cx, float cy, float r0, float r1, Colour3 c);
    // A filled polygon (even-odd rule), corners in pixels, 4x4 supersampled.
    void FillPolygon(const std::vector<std::pair<float, float>>& pts, Colour3 c);
    // Adds value noise of the given amplitude per channel (the same for all three when grey).
    void Noise(Random& rng, float amplitude, bool grey = true);
    // Multiplies by smooth blotches of the given cell size in pixels (tileable when the size divides).
    void Blotches(Random& rng, int cell, float amplitude);
    // Draws an 8-bit coverage image (e.g. rendered text) in colour c with its top-left at (x, y).
    void DrawCoverage(const std::vector<uint8_t>& coverage, int cw, int ch, int x, int y, Colour3 c);
    // Saves as an 8-bit RGB PNG; false on failure.
    bool SavePng(const std::string& path) const;
};

#include "Image.h"

#include <algorithm>
#include <cmath>

#include "platform/ImageWrite.h"

Image::Image(int w, int h, Colour3 fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

void Image::Blend(int x, int y, Colour3 c, float a) {
    if (x < 0 || y < 0 || x >= width || y >= height || a <= 0.0f) return;
    a = std::min(a, 1.0f);
    Colour3& p = At(x, y);
    p.r += (c.r - p.r) * a;
    p.g += (c.g - p.g) * a;
    p.b += (c.b - p.b) * a;
}

void Image::FillRect(int x0, int y0, int x1, int y1, Colour3 c) {
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x) At(x, y) = c;
}

void Image::FillCircle(float cx, float cy, float r, Colour3 c) { FillRing(cx, cy, -1.0f, r, c); }

void Image::FillRing(float cx, float cy, float r0, float r1, Colour3 c) {
    for (int y = std::max(0, static_cast<int>(cy - r1 - 2)); y < std::min(height, static_cast<int>(cy + r1 + 2)); ++y) {
        for (int x = std::max(0, static_cast<int>(cx - r1 - 2)); x < std::min(width, static_cast<int>(cx + r1 + 2)); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            const float a = std::clamp(r1 - d + 0.5f, 0.0f, 1.0f) * std::clamp(d - r0 + 0.5f, 0.0f, 1.0f);
            Blend(x, y, c, a);
        }
    }
}

void Image::FillPolygon(const std::vector<std::pair<float, float>>& pts, Colour3 c) {
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (auto [x, y] : pts) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    auto inside = [&](float px, float py) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
    };
    for (int y = std::max(0, static_cast<int>(minY) - 1); y < std::min(height, static_cast<int>(maxY) + 2); ++y) {
        for (int x = std::max(0, static_cast<int>(minX) - 1); x < std::min(width, static_cast<int>(maxX) + 2); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) hits += inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
            Blend(x, y, c, hits / 16.0f);
        }
    }
}

void Image::Noise(Random& rng, float amplitude, bool grey) {
    for (Colour3& p : pixels) {
        if (grey) {
            const float n = rng.Signed() * amplitude;
            p = {p.r + n, p.g + n, p.b + n};
        } else {
            p = {p.r + rng.Signed() * amplitude, p.g + rng.Signed() * amplitude, p.b + rng.Signed() * amplitude};
        }
    }
}

void Image::Blotches(Random& rng, int cell, float amplitude) {
    const int gw = (width + cell - 1) / cell, gh = (height + cell - 1) / cell;
    std::vector<float> grid(static_cast<size_t>(gw) * gh);
    for (float& g : grid) g = rng.Signed() * amplitude;
    // Smoothstep interpolation between lattice values that wrap, so the result tiles.
    auto value = [&](int gx, int gy) { return grid[static_cast<size_t>(gy % gh) * gw + gx % gw]; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float fx = static_cast<float>(x) / cell, fy = static_cast<float>(y) / cell;
            const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
            float tx = fx - ix, ty = fy - iy;
            tx = tx * tx * (3 - 2 * tx);
            ty = ty * ty * (3 - 2 * ty);
            const float v = (value(ix, iy) * (1 - tx) + value(ix + 1, iy) * tx) * (1 - ty) +
                            (value(ix, iy + 1) * (1 - tx) + value(ix + 1, iy + 1) * tx) * ty;
            Colour3& p = At(x, y);
            p = {p.r * (1 + v), p.g * (1 + v), p.b * (1 + v)};
        }
    }
}

void Image::DrawCoverage(const std::vector<uint8_t>& coverage, int cw, int ch, int x, int y, Colour3 c) {
    for (int j = 0; j < ch; ++j)
        for (int i = 0; i < cw; ++i) Blend(x + i, y + j, c, coverage[static_cast<size_t>(j) * cw + i] / 255.0f);
}

bool Image::SavePng(const std::string& path) const {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels.size() * 3);
    auto toByte = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (const Colour3& p : pixels) {
        bytes.push_back(toByte(p.r));
        bytes.push_back(toByte(p.g));
        bytes.push_back(toByte(p.b));
    }
    return WritePng(path, width, height, 3, bytes);
}

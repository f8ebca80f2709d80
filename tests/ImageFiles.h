#pragma once
// Writes small test images: a 24-bit BMP, stored bottom row first as the format does.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct TestTexel {
    uint8_t r, g, b;
};

// `rows` run top to bottom, each `width` texels.
inline bool WriteBmp(const std::string& path, int width, const std::vector<TestTexel>& texels) {
    const int height = static_cast<int>(texels.size()) / width;
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(rowBytes * height);
    std::vector<uint8_t> out(54 + dataSize, 0);
    const auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B', out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TestTexel& t = texels[static_cast<size_t>(height - 1 - y) * width + x];
            uint8_t* p = &out[54 + static_cast<size_t>(y) * rowBytes + x * 3];
            p[0] = t.b, p[1] = t.g, p[2] = t.r;
        }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

// An 8 by 8 image in four 4 by 4 quadrants: red top left, green top right, blue bottom left,
// white bottom right.
inline std::vector<TestTexel> Quadrants() {
    std::vector<TestTexel> texels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            texels.push_back(y < 4 ? (x < 4 ? TestTexel{255, 0, 0} : TestTexel{0, 255, 0})
                                   : (x < 4 ? TestTexel{0, 0, 255} : TestTexel{255, 255, 255}));
    return texels;
}

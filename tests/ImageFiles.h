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

// A TGA file of `width` x `height` 32-bit pixels, rows from the bottom as the format stores them.
// Uncompressed, `pixelData` is the pixels' bytes (B G R A each); run-length coded (`rle`), it is
// the packets as they are to be written.
inline std::string TgaBytes(int width, int height, bool rle, const std::string& pixelData) {
    const std::string header = {0, 0, char(rle ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                char(width & 0xFF), char(width >> 8), char(height & 0xFF), char(height >> 8), 32, 8};
    return header + pixelData;
}

// A baseline greyscale JPEG of `width` x 8 pixels (`width` a multiple of 32) whose every block
// is flat mid-grey: one-code Huffman tables, so each block is two zero bits (no DC change, end
// of block) and `width` / 32 whole zero bytes hold the scan. `scanBytes` overrides their count.
inline std::string FlatGreyJpeg(int width, int scanBytes = -1) {
    std::string out = "\xFF\xD8";
    out += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');                       // quantisation: all 1
    out += std::string("\xFF\xC0\x00\x0B\x08\x00\x08", 7) + char(width >> 8) + char(width & 0xFF) +  // 8 rows, `width` columns
           std::string("\x01\x01\x11\x00", 4);                                                      // one component
    const std::string oneCode = std::string("\x01", 1) + std::string(15, '\0') + std::string("\x00", 1);
    out += std::string("\xFF\xC4\x00\x14\x00", 5) + oneCode;  // DC table 0: "0" means no change
    out += std::string("\xFF\xC4\x00\x14\x10", 5) + oneCode;  // AC table 0: "0" ends the block
    out += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    out += std::string(size_t(scanBytes < 0 ? width / 32 : scanBytes), '\0');
    return out + "\xFF\xD9";
}

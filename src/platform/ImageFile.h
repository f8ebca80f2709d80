#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An image decoded to 8-bit RGBA, rows top to bottom.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 4 bytes, R G B A
};

// The path with every backslash made a slash: model and list files write Windows-style paths.
std::string NativePath(const std::string& path);

// Decodes a PNG, BMP, TGA or JPEG file (backslashes in the path allowed); false when the file
// cannot be read or decoded, leaving *image empty.
bool DecodeImageFile(const std::string& path, RgbaImage* image);

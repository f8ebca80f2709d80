#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

// The longest image side the game takes: a larger texture would cost more than 64 MB.
constexpr int kMaxImageSide = 4096;

// An image decoded to 8-bit RGBA, rows top to bottom: the decoder's own one copy of the pixels.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint8_t[], void (*)(void*)> pixels{nullptr, &std::free};  // width * height * 4 bytes, R G B A
};

// The path with every backslash made a slash: model and list files write Windows-style paths.
std::string NativePath(const std::string& path);

// Decodes a PNG, BMP, TGA or JPEG file (backslashes in the path allowed); false, with a reason
// in *error when given, when the file cannot be read or decoded or a side of the image is over
// `maxSide` pixels (checked from the header before anything is decoded), leaving *image empty.
bool DecodeImageFile(const std::string& path, RgbaImage* image, int maxSide = kMaxImageSide,
                     std::string* error = nullptr);

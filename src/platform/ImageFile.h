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

// An image file read into memory and checked, its pixels not yet decoded: the file's bytes and
// the size its header gives.
struct EncodedImage {
    std::string bytes;
    bool png = false;  // a PNG, whose chunks were all found in place up to the closing one
    int width = 0;
    int height = 0;
};

// The path with every backslash made a slash: model and list files write Windows-style paths.
std::string NativePath(const std::string& path);

// Reads a PNG, BMP, TGA or JPEG file (backslashes in the path allowed) and checks it as far as
// can be done without decoding its pixels: its chunks and tables fit, its header reads, every
// side is at least 1 and none over `maxSide`, the decoder takes the size, and an uncompressed or
// run-length BMP or TGA is long enough to hold its pixels ("image data ends early"). False, with a reason in *error when given, leaving *image empty.
bool ReadImageFile(const std::string& path, EncodedImage* image, int maxSide = kMaxImageSide,
                   std::string* error = nullptr);

// Decodes the pixels of a file that ReadImageFile accepted; false, with a reason, when the data
// past the header is broken or ends before the last pixel ("image data ends early").
bool DecodeImage(const EncodedImage& encoded, RgbaImage* image, std::string* error = nullptr);

// Decodes a PNG, BMP, TGA or JPEG file (backslashes in the path allowed); false, with a reason
// in *error when given, when the file cannot be read or decoded or a side of the image is over
// `maxSide` pixels (checked from the header before anything is decoded), leaving *image empty.
bool DecodeImageFile(const std::string& path, RgbaImage* image, int maxSide = kMaxImageSide,
                     std::string* error = nullptr);

// Called with every block the image decoder allocates, and with the new part of a block it grows,
// before the decoder writes to it.
using ImageDecoderAllocationHook = void (*)(void* block, size_t bytes);

// Calls `hook` for every later allocation of the image decoder (null: none), so that a check can
// fill the decoder's memory and see any byte of a decoded image that the file never wrote.
void SetImageDecoderAllocationHook(ImageDecoderAllocationHook hook);

#include "platform/ImageWrite.h"

// The writer's functions stay private to this file, so another unit may include the same header.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

bool WritePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    if (width <= 0 || height <= 0 || channels < 1 || channels > 4) return false;
    if (pixels.size() != static_cast<size_t>(width) * height * channels) return false;
    // Best compression: the files are committed, and the level is fixed so the output is stable.
    stbi_write_png_compression_level = 9;
    return stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels) != 0;
}

#include "platform/ImageFile.h"

#include <algorithm>

// The decoder stays private to this file (another unit of the platform layer has its own copy).
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_FAILURE_USERMSG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop

std::string NativePath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool DecodeImageFile(const std::string& path, RgbaImage* image) {
    *image = RgbaImage();
    int w = 0, h = 0, channels = 0;
    stbi_uc* data = stbi_load(NativePath(path).c_str(), &w, &h, &channels, 4);
    if (!data) return false;
    image->width = w;
    image->height = h;
    image->pixels.assign(data, data + static_cast<size_t>(w) * h * 4);
    stbi_image_free(data);
    return true;
}

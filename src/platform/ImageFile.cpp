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

bool DecodeImageFile(const std::string& path, RgbaImage* image, int maxSide, std::string* error) {
    *image = RgbaImage();
    const std::string native = NativePath(path);
    int w = 0, h = 0, channels = 0;
    // The header first: the decoder would otherwise allocate whatever size a few bytes claim.
    if (!stbi_info(native.c_str(), &w, &h, &channels)) {
        if (error) *error = std::string("cannot decode: ") + stbi_failure_reason();
        return false;
    }
    if (w > maxSide || h > maxSide) {
        if (error) *error = std::to_string(w) + " x " + std::to_string(h) + " pixels, more than " + std::to_string(maxSide) + " a side";
        return false;
    }
    stbi_uc* data = stbi_load(native.c_str(), &w, &h, &channels, 4);
    // The header of a file changed between the two reads is not trusted either.
    if (data && (w > maxSide || h > maxSide)) {
        stbi_image_free(data);
        data = nullptr;
    }
    if (!data) {
        if (error) *error = std::string("cannot decode: ") + stbi_failure_reason();
        return false;
    }
    image->width = w;
    image->height = h;
    image->pixels.reset(data);
    return true;
}

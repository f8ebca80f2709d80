// Texture image files (PNG, BMP, TGA, JPEG).
#include "FuzzInput.h"
#include "platform/ImageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbaImage image;
    DecodeImageFile(InputFile(data, size, "image"), &image);
    return 0;
}

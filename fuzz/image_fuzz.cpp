// Texture image files (PNG, BMP, TGA, JPEG), each decoded twice with the decoder's memory filled
// differently: the verdict and every pixel must come out the same.
#include <cstring>

#include "FuzzInput.h"
#include "platform/ImageFile.h"

namespace {

struct Decoded {
    bool ok = false;
    std::string error;
    RgbaImage image;
};

Decoded DecodeWithPattern(const std::string& path, uint8_t pattern) {
    SetFillPattern(pattern);
    Decoded decoded;
    decoded.ok = DecodeImageFile(path, &decoded.image, kMaxImageSide, &decoded.error);
    return decoded;
}

bool SameImage(const Decoded& a, const Decoded& b) {
    if (a.ok != b.ok || a.error != b.error || a.image.width != b.image.width || a.image.height != b.image.height)
        return false;
    if (!a.image.pixels || !b.image.pixels) return !a.image.pixels && !b.image.pixels;
    return std::memcmp(a.image.pixels.get(), b.image.pixels.get(), size_t(a.image.width) * size_t(a.image.height) * 4) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = InputFile(data, size, "image");
    SetImageDecoderAllocationHook(&FillWithPattern);
    Expect(SameImage(DecodeWithPattern(path, 0xA5), DecodeWithPattern(path, 0x5A)),
           "two decodes of one image differ: its pixels depend on memory the decoder never wrote");
    return 0;
}

#include "platform/ImageFile.h"

#include "platform/Inflate.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

std::atomic<ImageDecoderAllocationHook> g_decoderAllocationHook{nullptr};

// The decoder's allocations, so that a check can fill every byte it is given before it writes.
void* DecoderMalloc(size_t bytes) {
    void* block = std::malloc(bytes);
    const ImageDecoderAllocationHook hook = g_decoderAllocationHook.load(std::memory_order_relaxed);
    if (block && hook) hook(block, bytes);
    return block;
}

// A grown block: only the bytes past the old end are new.
void* DecoderRealloc(void* old, size_t oldBytes, size_t newBytes) {
    auto* block = static_cast<unsigned char*>(std::realloc(old, newBytes));
    const ImageDecoderAllocationHook hook = g_decoderAllocationHook.load(std::memory_order_relaxed);
    if (block && hook && newBytes > oldBytes) hook(block + oldBytes, newBytes - oldBytes);
    return block;
}

}  // namespace

// The decoder stays private to this file: every image the game reads goes through DecodeImageFile.
// Its pixels are freed with std::free (RgbaImage), so its allocations must come from malloc.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_FAILURE_USERMSG
#define STBI_MALLOC(bytes) DecoderMalloc(bytes)
#define STBI_REALLOC_SIZED(block, oldBytes, newBytes) DecoderRealloc(block, oldBytes, newBytes)
#define STBI_FREE(block) std::free(block)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop

void SetImageDecoderAllocationHook(ImageDecoderAllocationHook hook) { g_decoderAllocationHook.store(hook); }

std::string NativePath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

namespace {

// Image files larger than this are not read at all.
constexpr std::streamoff kMaxFileBytes = std::streamoff(64) << 20;

bool IsPng(const std::string& data) { return data.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0; }

// The decoder sizes its buffer for a PNG chunk from the length the chunk claims before reading
// it; a chunk must fit in the file, so that a few bytes cannot ask for gigabytes. The chunks
// must also run on to the closing one, which the decoder needs too: a file cut short between
// chunks is refused without decoding it.
bool PngChunksFit(const std::string& data) {
    if (!IsPng(data)) return true;
    for (size_t at = 8; at + 8 <= data.size();) {
        const auto byte = [&](size_t k) { return uint32_t(uint8_t(data[at + k])); };
        const uint32_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (length > data.size() - at - 8) return false;
        if (data.compare(at + 4, 4, "IEND") == 0) return true;
        at += 12 + size_t(length);
    }
    return false;
}

// This decoder builds each JPEG Huffman table into 257 slots without checking that the sixteen
// code counts the table declares add up to at most 256; a file whose table claims more is refused
// here. The walk reads markers as the decoder does: fill bytes skipped, stray bytes scanned over
// to the next marker, segments skipped by their length, entropy-coded data after a scan skipped
// to the next marker that is not a restart.
bool JpegHuffmanTablesFit(const std::string& data) {
    const size_t size = data.size();
    const auto byte = [&](size_t k) { return k < size ? uint32_t(uint8_t(data[k])) : 0u; };
    size_t at = 0;
    while (at < size && byte(at) == 0xFF) ++at;
    if (at == 0 || byte(at) != 0xD8) return true;
    ++at;
    while (at < size) {
        if (byte(at) != 0xFF) {
            ++at;
            continue;
        }
        while (at < size && byte(at) == 0xFF) ++at;
        if (at >= size) break;
        const uint32_t marker = byte(at++);
        if (marker == 0xD9) return true;
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        const size_t length = byte(at) << 8 | byte(at + 1);
        if (marker == 0xC4) {
            size_t table = at + 2;
            for (long left = long(length) - 2; left > 0;) {
                uint32_t codes = 0;
                for (size_t i = 1; i <= 16; ++i) codes += byte(table + i);
                if (codes > 256) return false;
                table += 17 + codes;
                left -= 17 + long(codes);
            }
        }
        at += std::max<size_t>(length, 2);
        if (marker == 0xDA) {
            while (at + 1 < size &&
                   !(byte(at) == 0xFF && byte(at + 1) != 0x00 && !(byte(at + 1) >= 0xD0 && byte(at + 1) <= 0xD7)))
                ++at;
        }
    }
    return true;
}

// The decoder reads the file through these callbacks rather than from memory: from memory it
// goes on past the end with zeros (or leaves a row unwritten) and says nothing, where a read
// here can tell. Its first read fills its own look-ahead buffer, which it refills whenever it
// needs one byte more: that read asks for a whole buffer and takes what is left, so only an
// empty answer means the data ran out. Every other read asks for exactly the bytes it needs.
struct DecoderInput {
    const std::string& bytes;
    size_t at = 0;
    const char* lookAhead = nullptr;
    bool ranOut = false;
};

int ReadDecoderInput(void* user, char* out, int size) {
    auto& input = *static_cast<DecoderInput*>(user);
    if (!input.lookAhead) input.lookAhead = out;
    const size_t wanted = size_t(std::max(size, 0));
    const size_t given = std::min(wanted, input.bytes.size() - input.at);
    std::memcpy(out, input.bytes.data() + input.at, given);
    input.at += given;
    if (given < wanted && (given == 0 || out != input.lookAhead)) input.ranOut = true;
    return int(given);
}

// Skips `n` bytes, never past the end; the decoder only ever skips forwards.
void SkipDecoderInput(void* user, int n) {
    auto& input = *static_cast<DecoderInput*>(user);
    input.at += std::min(size_t(std::max(n, 0)), input.bytes.size() - input.at);
}

int DecoderInputAtEnd(void* user) {
    const auto& input = *static_cast<DecoderInput*>(user);
    return input.at >= input.bytes.size();
}

// The PNG's compressed stream, its IDAT chunks joined. Chunks were checked to fit when the file
// was read.
std::string PngStream(const std::string& data) {
    std::string stream;
    for (size_t at = 8; at + 12 <= data.size();) {
        const auto byte = [&](size_t k) { return uint32_t(uint8_t(data[at + k])); };
        const uint32_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
        if (length > data.size() - at - 12) break;
        if (data.compare(at + 4, 4, "IDAT") == 0) stream.append(data, at + 8, length);
        at += 12 + size_t(length);
    }
    return stream;
}

// The fewest bytes that a file with this header can hold its pixels in, where the header alone
// tells (uncompressed and run-length BMP and TGA); 0 when it does not. A shorter file is refused
// before the decoder allocates the image, which would otherwise be decoded row by row to its end
// to be refused after all.
uint64_t FewestBytesForPixels(const std::string& data, int w, int h) {
    const auto byte = [&](size_t k) { return k < data.size() ? uint64_t(uint8_t(data[k])) : 0u; };
    const uint64_t pixels = uint64_t(w) * uint64_t(h);
    if (data.compare(0, 2, "BM") == 0) {
        // The pixels start at the offset the file gives, and never inside the header. The oldest
        // header (12 bytes) has 16-bit sides and no compression field.
        const uint64_t headerEnd = 14 + (byte(14) | byte(15) << 8 | byte(16) << 16 | byte(17) << 24);
        const uint64_t start = std::max(headerEnd, byte(10) | byte(11) << 8 | byte(12) << 16 | byte(13) << 24);
        const bool oldest = headerEnd == 14 + 12;
        const uint64_t bits = oldest ? byte(24) | byte(25) << 8 : byte(28) | byte(29) << 8;
        const uint64_t compression = oldest ? 0 : byte(30) | byte(31) << 8 | byte(32) << 16 | byte(33) << 24;
        return compression == 0 || compression == 3 ? start + pixels * bits / 8 : 0;  // plain or bit-field rows
    }
    if (IsPng(data) || data.compare(0, 2, "\xFF\xD8") == 0) return 0;
    // Otherwise a TGA, the one format without a signature.
    const uint64_t type = byte(2), bytesPerPixel = (byte(16) + 7) / 8;
    if (type >= 1 && type <= 3) return 18 + pixels * bytesPerPixel;
    // A run-length packet holds at most 128 pixels in a header byte and at least one pixel.
    if (type >= 9 && type <= 11) return 18 + (pixels + 127) / 128 * (1 + bytesPerPixel);
    return 0;
}

// False when a palette BMP's pixels name a colour its palette does not hold, or its palette would
// end before it starts (pixels placed inside the header): the decoder takes such colours from a
// table it never wrote. Its palette is what lies between the header and the pixels, counted as
// the decoder counts it.
bool BmpColoursInPalette(const std::string& data, int w, int h) {
    if (data.compare(0, 2, "BM") != 0) return true;
    const auto byte = [&](size_t k) { return k < data.size() ? int64_t(uint8_t(data[k])) : 0; };
    const int64_t headerSize = byte(14) | byte(15) << 8 | byte(16) << 16 | byte(17) << 24;
    const int64_t offset = byte(10) | byte(11) << 8 | byte(12) << 16 | byte(13) << 24;
    const bool oldest = headerSize == 12;
    const int64_t bits = oldest ? byte(24) | byte(25) << 8 : byte(28) | byte(29) << 8;
    if (bits != 1 && bits != 4 && bits != 8) return true;  // no palette, or one the decoder refuses
    const int64_t entries = oldest ? (offset - 38) / 3 : (offset - 14 - headerSize) >> 2;
    if (entries < 0) return false;
    if (entries == 0 || entries >= (int64_t{1} << bits)) return true;  // refused by the decoder, or whole
    const int64_t rowBytes = (int64_t(w) * bits + 31) / 32 * 4;
    for (int64_t y = 0; y < h; ++y) {
        for (int64_t x = 0; x < w; ++x) {
            const int64_t bit = x * bits, at = offset + y * rowBytes + bit / 8;
            if (at >= int64_t(data.size())) return true;  // ends early: refused as such
            const int64_t colour = (byte(size_t(at)) >> (8 - bits - bit % 8)) & ((int64_t{1} << bits) - 1);
            if (colour >= entries) return false;
        }
    }
    return true;
}

}  // namespace

bool ReadImageFile(const std::string& path, EncodedImage* image, int maxSide, std::string* error) {
    *image = EncodedImage();
    std::ifstream in(NativePath(path), std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? std::streamoff(in.tellg()) : -1;
    std::string data;
    if (size >= 0 && size <= kMaxFileBytes) {
        data.resize(size_t(size));
        in.seekg(0);
        if (!in.read(data.data(), size)) data.clear();
    }
    if (data.empty()) {
        if (error) *error = size > kMaxFileBytes ? "larger than 64 MiB" : "cannot be read";
        return false;
    }
    if (!PngChunksFit(data)) {
        if (error) *error = "a PNG chunk runs past the end of the file";
        return false;
    }
    if (!JpegHuffmanTablesFit(data)) {
        if (error) *error = "a JPEG Huffman table declares more than 256 codes";
        return false;
    }
    int w = 0, h = 0, channels = 0;
    // The header first: the decoder would otherwise allocate whatever size a few bytes claim.
    if (!stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(data.data()), int(data.size()), &w, &h, &channels)) {
        if (error) *error = std::string("cannot decode: ") + stbi_failure_reason();
        return false;
    }
    // A BMP whose height is below zero stores its rows top first; the decoder takes the size.
    if (data.compare(0, 2, "BM") == 0 && h < 0 && h != INT_MIN) h = -h;
    // A header can give a side of zero or less (a BMP's width is signed); such an image has no
    // pixels, and the decoder would refuse it only when first drawn.
    if (w <= 0 || h <= 0) {
        if (error) *error = std::to_string(w) + " x " + std::to_string(h) + " pixels: no pixels";
        return false;
    }
    if (w > maxSide || h > maxSide) {
        if (error) *error = std::to_string(w) + " x " + std::to_string(h) + " pixels, more than " + std::to_string(maxSide) + " a side";
        return false;
    }
    // The decoder refuses any image whose RGBA size does not fit its int arithmetic.
    if (int64_t(w) * h * 4 > INT_MAX) {
        if (error) *error = std::to_string(w) + " x " + std::to_string(h) + " pixels, too many to decode";
        return false;
    }
    if (data.size() < FewestBytesForPixels(data, w, h)) {
        if (error) *error = "image data ends early";
        return false;
    }
    if (!BmpColoursInPalette(data, w, h)) {
        if (error) *error = "a pixel names a colour the palette does not hold";
        return false;
    }
    image->bytes = std::move(data);
    image->png = IsPng(image->bytes);
    image->width = w;
    image->height = h;
    return true;
}

bool DecodeImage(const EncodedImage& encoded, RgbaImage* image, std::string* error) {
    *image = RgbaImage();
    // Checked before decoding, as the decoder would read what it never wrote.
    // This decoder's inflater goes on past the end of the stream with zero bits, and takes a
    // distance code the format does not have as a copy of bytes it never wrote: the stream is
    // checked whole, its closing checksum included, before it decodes.
    const ZlibStream stream = encoded.png ? CheckZlibStream(PngStream(encoded.bytes)) : ZlibStream::kWhole;
    if (stream != ZlibStream::kWhole) {
        if (error) *error = stream == ZlibStream::kEndsEarly ? "image data ends early" : "cannot decode: the compressed pixel data is broken";
        return false;
    }
    int w = 0, h = 0, channels = 0;
    DecoderInput input{encoded.bytes};
    const stbi_io_callbacks callbacks{&ReadDecoderInput, &SkipDecoderInput, &DecoderInputAtEnd};
    stbi_uc* pixels = stbi_load_from_callbacks(&callbacks, &input, &w, &h, &channels, 4);
    // Pixels the file does not hold would be zeros or whatever the memory held before. The
    // header was checked when the file was read; pixels of another size are not the file's.
    if (pixels && (input.ranOut || w != encoded.width || h != encoded.height)) {
        stbi_image_free(pixels);
        pixels = nullptr;
    }
    if (!pixels) {
        if (error) *error = input.ranOut ? "image data ends early" : std::string("cannot decode: ") + stbi_failure_reason();
        return false;
    }
    image->width = w;
    image->height = h;
    image->pixels.reset(pixels);
    return true;
}

bool DecodeImageFile(const std::string& path, RgbaImage* image, int maxSide, std::string* error) {
    *image = RgbaImage();
    EncodedImage encoded;
    return ReadImageFile(path, &encoded, maxSide, error) && DecodeImage(encoded, image, error);
}

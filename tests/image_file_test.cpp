// Image files whose data ends before their last pixel: refused in every format the game reads,
// so that no texture shows bytes its file does not hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ImageFiles.h"
#include "TempDir.h"
#include "platform/ImageFile.h"
#include "platform/ImageWrite.h"
#include "platform/LoadReport.h"
#include "platform/RecordingDevice.h"

namespace {

// The decode's verdict: "ok" with the pixels, or the reason it was refused.
struct Outcome {
    std::string verdict;
    std::vector<uint8_t> pixels;
};

Outcome Decode(const TempDir& dir, const std::string& name, const std::string& bytes) {
    RgbaImage image;
    std::string reason;
    if (!DecodeImageFile(dir.Write(name, bytes), &image, kMaxImageSide, &reason)) return {reason, {}};
    return {"ok", std::vector<uint8_t>(image.pixels.get(), image.pixels.get() + size_t(image.width) * image.height * 4)};
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Pixels(int count, uint8_t b, uint8_t g, uint8_t r) {
    std::string out;
    for (int i = 0; i < count; ++i) out += {char(b), char(g), char(r), char(0xFF)};
    return out;
}

std::vector<uint8_t> Rgba(int count, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> out;
    for (int i = 0; i < count; ++i) out.insert(out.end(), {r, g, b, 0xFF});
    return out;
}

uint32_t Be32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 | uint32_t(uint8_t(s[at + 2])) << 8 | uint8_t(s[at + 3]);
}

// `png` with the last `cut` bytes of its (single) IDAT chunk's compressed stream taken away and
// the chunk's length mended, so that every chunk still fits and the file still ends with IEND.
std::string CutPngStream(const std::string& png, size_t cut) {
    for (size_t at = 8; at + 12 <= png.size(); at += 12 + Be32(png, at)) {
        if (png.compare(at + 4, 4, "IDAT") != 0) continue;
        const uint32_t length = Be32(png, at) - uint32_t(cut);
        std::string out = png.substr(0, at) + char(length >> 24) + char(length >> 16) + char(length >> 8) + char(length);
        return out + png.substr(at + 4, 4 + length) + png.substr(at + 8 + length + cut);
    }
    return png;
}

constexpr const char* kEndsEarly = "image data ends early";

}  // namespace

TEST(ImageEndsEarly, UncompressedBmpAndTgaNeedEveryPixelsBytes) {
    TempDir dir;
    // The TGA that showed the fault: 1024 x 4 pixels announced, 38 bytes of them present.
    const std::string found = std::string("\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x04\x04\x00\x20\x3d", 18) +
                              std::string("\x08\x00\x00\x80\xff\x3c\x00\x80\xff\x78\x00\x80\xff\xb4\x4e\x13\x0b\x00\x00"
                                          "\x00\x00\x00\x00\x38\x00\xb4\x80\x3c\x80\x3c\x00\x3c\x80\x3c\x78\xb4\x80\xff", 38);
    EXPECT_EQ(Decode(dir, "found.tga", found).verdict, kEndsEarly);

    // Small and large: the decoder reads ahead 128 bytes at a time and takes rows past that whole.
    for (int width : {3, 40}) {
        const std::string tga = TgaBytes(width, 2, false, Pixels(width * 2, 10, 20, 30));
        EXPECT_EQ(Decode(dir, "whole.tga", tga).pixels, Rgba(width * 2, 30, 20, 10)) << width;
        EXPECT_EQ(Decode(dir, "short.tga", tga.substr(0, tga.size() - 1)).verdict, kEndsEarly) << width;
        EXPECT_EQ(Decode(dir, "rowless.tga", tga.substr(0, tga.size() - width * 4)).verdict, kEndsEarly) << width;
    }

    WriteBmp(dir.Write("whole.bmp", ""), 3, std::vector<TestTexel>(6, TestTexel{30, 20, 10}));
    const std::string bmp = ReadFile(dir.Path() / "whole.bmp");
    EXPECT_EQ(Decode(dir, "whole.bmp", bmp).pixels, Rgba(6, 30, 20, 10));
    // Rows are padded to 4 bytes: 9 bytes of pixels and 3 of padding each. The last row's
    // padding holds no pixel; its last pixel does.
    EXPECT_EQ(Decode(dir, "unpadded.bmp", bmp.substr(0, bmp.size() - 3)).verdict, "ok");
    EXPECT_EQ(Decode(dir, "short.bmp", bmp.substr(0, bmp.size() - 4)).verdict, kEndsEarly);
    EXPECT_EQ(Decode(dir, "rowless.bmp", bmp.substr(0, bmp.size() - 12)).verdict, kEndsEarly);
}

// A BMP or TGA too short for the pixels its header announces is refused as it is read, before
// anything is decoded; one just long enough is not.
TEST(ImageEndsEarly, UncompressedAndRunLengthFilesTooShortAreRefusedBeforeDecoding) {
    TempDir dir;
    EncodedImage encoded;
    std::string reason;
    const auto read = [&](const std::string& name, const std::string& bytes) {
        reason.clear();
        return ReadImageFile(dir.Write(name, bytes), &encoded, kMaxImageSide, &reason) ? "read" : reason;
    };
    const int side = 4096;
    EXPECT_EQ(read("big.tga", TgaBytes(side, side, false, Pixels(side, 1, 2, 3))), kEndsEarly);
    // 128 pixels a packet at most: 131072 packets of a header byte and one pixel.
    const std::string packet = std::string("\xFF", 1) + Pixels(1, 1, 2, 3);
    std::string packets;
    for (int i = 0; i < side * side / 128; ++i) packets += packet;
    EXPECT_EQ(read("big-rle.tga", TgaBytes(side, side, true, packets.substr(0, packets.size() - 1))), kEndsEarly);
    EXPECT_EQ(read("full-rle.tga", TgaBytes(side, side, true, packets)), "read");
    WriteBmp(dir.Write("q.bmp", ""), 8, Quadrants());
    const std::string bmp = ReadFile(dir.Path() / "q.bmp");
    EXPECT_EQ(read("q.bmp", bmp), "read");
    EXPECT_EQ(read("headless.bmp", bmp.substr(0, 54 + 8 * 8 * 3 - 1)), kEndsEarly);
}

// A 2 x 1 BMP of four bits a pixel whose palette holds two colours, with the pixel byte given;
// `offset` is where its pixels start (62: just after the palette).
std::string TwoColourBmp(uint8_t pixels, uint32_t offset = 62) {
    const auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    const auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    return "BM" + u32(66) + u32(0) + u32(offset) + u32(40) + u32(2) + u32(1) + u16(1) + u16(4) + u32(0) + u32(4) +
           u32(0) + u32(0) + u32(2) + u32(0) + std::string{10, 20, 30, 0, 40, 50, 60, 0} + std::string{char(pixels), 0, 0, 0};
}

// A palette image whose pixels name only the colours its palette holds decodes to them; one that
// names a colour past the palette, or puts its pixels inside the header, is refused: the decoder
// would fill such pixels from a table it never wrote.
TEST(ImageEndsEarly, PaletteColoursMustBeInThePalette) {
    TempDir dir;
    EXPECT_EQ(Decode(dir, "two.bmp", TwoColourBmp(0x10)).pixels,
              (std::vector<uint8_t>{60, 50, 40, 255, 30, 20, 10, 255}));
    EXPECT_EQ(Decode(dir, "third.bmp", TwoColourBmp(0x12)).verdict, "a pixel names a colour the palette does not hold");
    EXPECT_EQ(Decode(dir, "inside.bmp", TwoColourBmp(0x10, 48)).verdict, "a pixel names a colour the palette does not hold");
}

TEST(ImageEndsEarly, CompressedDataMustNotRunOut) {
    TempDir dir;
    // Run-length TGA: a run of 4 blue pixels, then 2 raw ones.
    const std::string runs = std::string("\x83", 1) + Pixels(1, 255, 0, 0) + std::string("\x01", 1) + Pixels(2, 0, 255, 0);
    const std::string rle = TgaBytes(3, 2, true, runs);
    std::vector<uint8_t> expected = Rgba(4, 0, 0, 255);
    for (uint8_t v : Rgba(2, 0, 255, 0)) expected.push_back(v);
    // Rows are stored from the bottom: the first three pixels decoded are the lower row.
    std::vector<uint8_t> topFirst(expected.begin() + 12, expected.end());
    topFirst.insert(topFirst.end(), expected.begin(), expected.begin() + 12);
    EXPECT_EQ(Decode(dir, "whole-rle.tga", rle).pixels, topFirst);
    EXPECT_EQ(Decode(dir, "short-rle.tga", rle.substr(0, rle.size() - 1)).verdict, kEndsEarly);
    // The runs claim 6 pixels; the file ends after the first run's 4.
    EXPECT_EQ(Decode(dir, "runless.tga", rle.substr(0, rle.size() - 9)).verdict, kEndsEarly);

    const std::string jpeg = FlatGreyJpeg(64);
    EXPECT_EQ(Decode(dir, "whole.jpg", jpeg).pixels, Rgba(64 * 8, 128, 128, 128));
    EXPECT_EQ(Decode(dir, "markerless.jpg", jpeg.substr(0, jpeg.size() - 2)).verdict, kEndsEarly);
    EXPECT_EQ(Decode(dir, "scanless.jpg", jpeg.substr(0, jpeg.size() - 3)).verdict, kEndsEarly);

    // A PNG whose chunks all fit but whose compressed stream stops short of its end.
    std::vector<uint8_t> noise(16 * 16 * 4);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 2654435761u >> 13);
    ASSERT_TRUE(WritePng((dir.Path() / "whole.png").string(), 16, 16, 4, noise));
    const std::string png = ReadFile(dir.Path() / "whole.png");
    EXPECT_EQ(Decode(dir, "whole.png", png).pixels, noise);
    for (size_t cut : {1, 4, 5, 40}) EXPECT_EQ(Decode(dir, "short.png", CutPngStream(png, cut)).verdict, kEndsEarly) << cut;
    // A stream that zlib refuses is refused whole, though this decoder would take it: here a
    // wrong checksum, which it never reads; a distance code the format does not have, which it
    // takes as a copy of bytes it never wrote, is kept in the fuzzer's inputs.
    std::string badSum = png;
    badSum[badSum.size() - 12 - 4 - 1] ^= 1;  // before the IDAT chunk's CRC and the IEND chunk
    EXPECT_EQ(Decode(dir, "bad-sum.png", badSum).verdict, "cannot decode: the compressed pixel data is broken");
}

// The hook sees every block the decoder writes the pixels into before it writes them: a decoded
// image shows none of what the hook put there.
TEST(ImageEndsEarly, TheAllocationHookSeesTheDecodersMemoryFirst) {
    TempDir dir;
    static size_t hooked = 0;
    hooked = 0;
    SetImageDecoderAllocationHook([](void* block, size_t bytes) {
        std::memset(block, 0xEE, bytes);
        hooked += bytes;
    });
    const Outcome decoded = Decode(dir, "whole.tga", TgaBytes(40, 2, false, Pixels(80, 10, 20, 30)));
    SetImageDecoderAllocationHook(nullptr);
    EXPECT_EQ(decoded.pixels, Rgba(80, 30, 20, 10));
    EXPECT_GE(hooked, 80u * 4);
}

TEST(ImageEndsEarly, IsReportedAsTheTextureIsLoaded) {
    TempDir dir;
    const std::string path = dir.Write("short.tga", TgaBytes(4, 4, false, Pixels(15, 1, 2, 3)));
    std::vector<std::string> reports;
    SetLoadReportSink([&](const std::string& file, const std::string& reason) { reports.push_back(file + ": " + reason); });
    RecordingDevice device;
    Texture* texture = nullptr;
    EXPECT_NE(device.CreateTextureFromFile(path, &texture), kOk);
    SetLoadReportSink(nullptr);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(reports, std::vector<std::string>{path + ": image data ends early"});
}

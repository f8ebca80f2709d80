#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "WavBytes.h"
#include "audio/AudioStatus.h"
#include "audio/WavReader.h"

namespace {

Bytes Counting(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 7 + 3);
    return b;
}

Bytes Edited(Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
}

Bytes Truncated(Bytes b, size_t n) {
    b.resize(b.size() - n);
    return b;
}

const Bytes kFmt = Chunk("fmt ", FmtBody(1, 1, 44100, 16));
const Bytes kData = Chunk("data", Counting(8));

}  // namespace

// Chunks are found by id in any order; sizes are taken as written but nothing is read beyond the
// real file; a PCM format has no extra bytes whatever its chunk's length (trailing bytes would
// read as a count of 0xFFFF), other formats keep theirs, read from where the count says.
TEST(WavReader, OpensWhatItCanAndReadsOnlyWhatIsThere) {
    std::vector<Bytes> manyEmpty(20000, Chunk("pad ", {}));
    manyEmpty.insert(manyEmpty.end(), {kFmt, kData});
    const Bytes list = Chunk("LIST", Counting(12));
    const struct {
        const char* what;
        Bytes bytes;
        uint32_t size;  // as the header claims
        uint16_t tag;
        Bytes extra;
    } cases[] = {
        {"pcmWithTrailingBytes", Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 16, {0xFF, 0xFF, 0xFF, 0xFF})), kData}), 8, 1, {}},
        {"floatKeepsExtra", Riff({Chunk("fmt ", FmtBody(3, 2, 48000, 32, {3, 0, 9, 8, 7})), kData}), 8, 3, {9, 8, 7}},
        {"extraPastItsChunk", Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {4, 0})), kData}), 8, 2, {'d', 'a', 't', 'a'}},
        {"listBetween", Riff({kFmt, list, kData}), 8, 1, {}},
        {"dataFirst", Riff({kData, list, kFmt}), 8, 1, {}},
        {"oddChunkPadded", Riff({kFmt, Chunk("junk", Counting(3)), kData}), 8, 1, {}},  // one byte off loses "data"
        {"manyEmptyChunks", Riff(manyEmpty), 8, 1, {}},
        {"riffSizePastEnd", Riff({kFmt, kData}, 1000), 8, 1, {}},
        {"riffSizeAllOnes", Riff({kFmt, kData}, 0xFFFFFFFF), 8, 1, {}},
        {"dataSizePastEnd", Riff({kFmt, Chunk("data", Counting(8), 800)}), 800, 1, {}},
        {"dataSizeAllOnes", Riff({kFmt, Chunk("data", Counting(8), 0xFFFFFFFF)}), 0xFFFFFFFF, 1, {}},
        {"zeroChannels", Riff({Chunk("fmt ", FmtBody(1, 0, 44100, 16, {}, 2)), kData}), 8, 1, {}},
        {"zeroBlockAlign", Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16, {}, 0)), kData}), 8, 1, {}},
        {"zeroRate", Riff({Chunk("fmt ", FmtBody(1, 1, 0, 16)), kData}), 8, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WavReader reader;
        ASSERT_EQ(reader.OpenBytes(c.bytes.data(), c.bytes.size()), kOk);
        EXPECT_EQ(reader.Size(), c.size);
        EXPECT_EQ(reader.StoredSize(), 8u);
        EXPECT_EQ(reader.format->formatTag, c.tag);
        EXPECT_EQ(reader.format->extra, c.extra);
        if (c.tag == 1) { EXPECT_EQ(reader.format->cbSize, 0); }
        Bytes out(64);
        uint32_t got = 0;
        EXPECT_EQ(reader.Read(out.data(), uint32_t(out.size()), &got), kOk);
        out.resize(got);
        EXPECT_EQ(out, Counting(8));
    }

    // Reads are clamped to the data left; Rewind starts over.
    const Bytes data = Counting(600), file = Riff({kFmt, Chunk("data", data)});
    WavReader reader;
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    Bytes out(1000);
    uint32_t got = 0;
    ASSERT_EQ(reader.Read(out.data(), 100, &got), kOk);
    ASSERT_EQ(reader.Read(out.data() + 100, 1000, &got), kOk);
    EXPECT_EQ(got, 500u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 600), data);
    ASSERT_EQ(reader.Read(out.data(), 1000, &got), kOk);
    EXPECT_EQ(got, 0u);
    ASSERT_EQ(reader.Rewind(), kOk);
    ASSERT_EQ(reader.Read(out.data(), 1000, &got), kOk);
    EXPECT_EQ(got, 600u);
    EXPECT_EQ(reader.Read(nullptr, 1, &got), kInvalidArg);
}

// Each must fail cleanly, from memory and from a file: no crash, no hang, no allocation sized
// by a number the file lies about (the sanitizer build would catch those).
TEST(WavReader, MalformedFilesFailToOpenWithNothingLeft) {
    std::vector<Bytes> emptyChunks(5000, Chunk("pad ", {}));
    emptyChunks.insert(emptyChunks.begin(), kFmt);
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"short", {'R', 'I', 'F', 'F', 4, 0, 0}},
        {"notRiff", Edited(Riff({kFmt, kData}), 0, 'X')},
        {"notWave", Edited(Riff({kFmt, kData}), 8, 'X')},
        {"truncatedInDataHeader", Truncated(Riff({kFmt, kData}), 12)},
        {"chunkSizeLieBeforeData", Riff({kFmt, Chunk("LIST", Counting(4), 0xFFFFFFF0), kData})},
        {"fmtUnder16", Riff({Chunk("fmt ", Truncated(FmtBody(1, 1, 44100, 16), 2)), kData})},
        {"fmtSizeAllOnes", Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16), 0xFFFFFFFF), kData})},
        {"extraCountPastChunk", Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {0xFF, 0xFF, 1, 2})), kData})},
        {"extraCountMissing", Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4)), kData})},
        {"noData", Riff({kFmt, Chunk("LIST", Counting(6))})},
        {"noFmt", Riff({kData})},
        {"manyEmptyChunksNoData", Riff(emptyChunks)},
    };
    TempDir dir;
    const std::string path = dir.Write("malformed.wav", "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WavReader reader;
        EXPECT_EQ(reader.OpenBytes(c.bytes.data(), c.bytes.size()), kFail);
        EXPECT_TRUE(reader.Size() == 0u && reader.handle == nullptr && reader.format == nullptr);
        WriteFile(path, c.bytes);
        EXPECT_EQ(reader.Open(path.c_str(), nullptr, kReadMode), kFail);
        EXPECT_EQ(reader.Size(), 0u);
    }
}

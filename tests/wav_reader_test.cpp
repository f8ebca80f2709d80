#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "WavBytes.h"
#include "audio/AudioStatus.h"
#include "audio/WavReader.h"

namespace {

Bytes Counting(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i * 7 + 3);
    return b;
}

// Opens `file` from memory and reads all of its data in one call.
Bytes OpenAndReadAll(WavReader& reader, const Bytes& file) {
    EXPECT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    Bytes out(reader.Size() + 10);
    uint32_t got = 0;
    EXPECT_EQ(reader.Read(out.data(), uint32_t(out.size()), &got), kOk);
    out.resize(got);
    return out;
}

const Bytes kFmt = Chunk("fmt ", FmtBody(1, 1, 44100, 16));
const Bytes kData = Chunk("data", Counting(8));

}  // namespace

TEST(WavReader, PcmHasNoExtraBytesWhateverTheChunkLengthOthersKeepTheirs) {
    // Trailing bytes of a PCM "fmt " chunk would read as an extra-byte count of 0xFFFF.
    WavReader reader;
    const Bytes pcm = Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 16, {0xFF, 0xFF, 0xFF, 0xFF})), kData});
    EXPECT_EQ(OpenAndReadAll(reader, pcm), Counting(8));
    EXPECT_EQ(reader.format->samplesPerSec, 22050u);
    EXPECT_EQ(reader.format->cbSize, 0);
    EXPECT_TRUE(reader.format->extra.empty());

    OpenAndReadAll(reader, Riff({Chunk("fmt ", FmtBody(3, 2, 48000, 32, {3, 0, 9, 8, 7})), kData}));
    EXPECT_EQ(reader.format->formatTag, 3);
    EXPECT_EQ(reader.format->extra, (Bytes{9, 8, 7}));
}

TEST(WavReader, FindsChunksByIdInAnyOrderSkippingOthers) {
    const Bytes data = Counting(10);
    const Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 44100, 8)), dataChunk = Chunk("data", data);
    const Bytes list = Chunk("LIST", Counting(12));
    const Bytes odd = Chunk("junk", Counting(3));  // padded to 4: one byte off and "data" is lost
    std::vector<Bytes> manyEmpty(20000, Chunk("pad ", {}));
    manyEmpty.push_back(fmt);
    manyEmpty.push_back(dataChunk);
    for (const Bytes& file : {Riff({fmt, list, dataChunk}), Riff({dataChunk, list, fmt}), Riff({fmt, odd, dataChunk}),
                              Riff(manyEmpty)}) {
        WavReader reader;
        EXPECT_EQ(OpenAndReadAll(reader, file), data);
        EXPECT_EQ(reader.format->bitsPerSample, 8);
    }
}

TEST(WavReader, ReadIsClampedToTheDataLeftAndRewindStartsOver) {
    const Bytes data = Counting(600);
    const Bytes file = Riff({kFmt, Chunk("data", data)});
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

namespace {

Bytes Edited(Bytes b, size_t at, uint8_t value) {
    b[at] = value;
    return b;
}

Bytes Truncated(Bytes b, size_t n) {
    b.resize(b.size() - n);
    return b;
}

}  // namespace

// Sizes are taken as written, and nothing is read beyond the real file: a data chunk that claims
// more than the file holds opens with its claim and reads what is there.
TEST(WavReader, HeadersThatClaimMoreThanTheFileOpenAndReadWhatIsThere) {
    const struct {
        const char* what;
        Bytes bytes;
        uint32_t size;
    } cases[] = {
        {"riffSizePastEnd", Riff({kFmt, kData}, 1000), 8},
        {"riffSizeAllOnes", Riff({kFmt, kData}, 0xFFFFFFFF), 8},
        {"dataSizePastEnd", Riff({kFmt, Chunk("data", Counting(8), 800)}), 800},
        {"dataSizeAllOnes", Riff({kFmt, Chunk("data", Counting(8), 0xFFFFFFFF)}), 0xFFFFFFFF},
        {"extraBytesAfterChunk", Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {4, 0})), kData}), 8},
        {"zeroChannels", Riff({Chunk("fmt ", FmtBody(1, 0, 44100, 16, {}, 2)), kData}), 8},
        {"zeroBlockAlign", Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16, {}, 0)), kData}), 8},
        {"zeroRate", Riff({Chunk("fmt ", FmtBody(1, 1, 0, 16)), kData}), 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WavReader reader;
        ASSERT_EQ(reader.OpenBytes(c.bytes.data(), c.bytes.size()), kOk);
        EXPECT_EQ(reader.Size(), c.size);
        EXPECT_EQ(reader.StoredSize(), 8u);
        Bytes out(64);
        uint32_t got = 0;
        EXPECT_EQ(reader.Read(out.data(), uint32_t(out.size()), &got), kOk);
        out.resize(got);
        EXPECT_EQ(out, Counting(8));
    }
    // The format's extra bytes are read from where the count says, past the chunk's end.
    WavReader reader;
    const Bytes file = Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {4, 0})), kData});
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    EXPECT_EQ(reader.format->extra, (Bytes{'d', 'a', 't', 'a'}));
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
    const std::string path = testing::TempDir() + "/malformed_" + std::to_string(getpid()) + ".wav";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WavReader reader;
        EXPECT_EQ(reader.OpenBytes(c.bytes.data(), c.bytes.size()), kFail);
        EXPECT_EQ(reader.Size(), 0u);
        EXPECT_EQ(reader.handle, nullptr);
        EXPECT_EQ(reader.format, nullptr);
        WriteFile(path, c.bytes);
        EXPECT_EQ(reader.Open(path.c_str(), nullptr, kReadMode), kFail);
        EXPECT_EQ(reader.Size(), 0u);
    }
    std::filesystem::remove(path);
}

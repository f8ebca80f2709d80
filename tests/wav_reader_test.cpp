#include <gtest/gtest.h>

#include <cstdio>
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

Bytes ReadAll(WavReader& reader) {
    Bytes out(reader.Size() + 10);
    uint32_t got = 0;
    EXPECT_EQ(reader.Read(out.data(), uint32_t(out.size()), &got), kOk);
    out.resize(got);
    return out;
}

}  // namespace

TEST(WavReader, PcmFormatIsEighteenBytesWhateverTheChunkLength) {
    // A 20-byte "fmt " chunk whose last bytes would read as an extra-byte count of 0xFFFF.
    const Bytes data = Counting(6);
    WavReader reader;
    const Bytes file = Riff({Chunk("fmt ", FmtBody(1, 1, 22050, 16, {0xFF, 0xFF, 0xFF, 0xFF})), Chunk("data", data)});
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    ASSERT_NE(reader.format, nullptr);
    EXPECT_EQ(reader.format->formatTag, 1);
    EXPECT_EQ(reader.format->samplesPerSec, 22050u);
    EXPECT_EQ(reader.format->cbSize, 0);
    EXPECT_TRUE(reader.format->extra.empty());
    EXPECT_EQ(reader.Size(), 6u);
    EXPECT_EQ(ReadAll(reader), data);
}

TEST(WavReader, OtherFormatsKeepTheirExtraBytes) {
    const Bytes file = Riff({Chunk("fmt ", FmtBody(3, 2, 48000, 32, {3, 0, 9, 8, 7})), Chunk("data", Counting(8))});
    WavReader reader;
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    EXPECT_EQ(reader.format->formatTag, 3);
    EXPECT_EQ(reader.format->cbSize, 3);
    EXPECT_EQ(reader.format->extra, (Bytes{9, 8, 7}));
}

TEST(WavReader, FindsChunksByIdInAnyOrder) {
    const Bytes data = Counting(10);
    const Bytes fmt = Chunk("fmt ", FmtBody(1, 1, 44100, 8));
    const Bytes list = Chunk("LIST", Counting(12));
    const Bytes dataChunk = Chunk("data", data);
    for (const Bytes& file : {Riff({fmt, list, dataChunk}), Riff({dataChunk, list, fmt}), Riff({list, fmt, list, dataChunk, list})}) {
        WavReader reader;
        ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
        EXPECT_EQ(reader.format->bitsPerSample, 8);
        EXPECT_EQ(reader.Size(), 10u);
        EXPECT_EQ(ReadAll(reader), data);
    }
}

TEST(WavReader, ReadIsClampedToTheDataLeftAndRewindStartsOver) {
    const Bytes data = Counting(600);
    const Bytes file = Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), Chunk("data", data)});
    WavReader reader;
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    Bytes out(1000);
    uint32_t got = 123;
    ASSERT_EQ(reader.Read(out.data(), 100, &got), kOk);
    EXPECT_EQ(got, 100u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 100), Bytes(data.begin(), data.begin() + 100));
    ASSERT_EQ(reader.Read(out.data(), 1000, &got), kOk);
    EXPECT_EQ(got, 500u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 500), Bytes(data.begin() + 100, data.end()));
    ASSERT_EQ(reader.Read(out.data(), 1000, &got), kOk);
    EXPECT_EQ(got, 0u);
    ASSERT_EQ(reader.Rewind(), kOk);
    EXPECT_EQ(reader.chunk.size, 600u);
    EXPECT_EQ(ReadAll(reader), data);
    EXPECT_EQ(reader.Read(nullptr, 1, &got), kInvalidArg);
}

TEST(WavReader, ClosedReaderAndMissingArguments) {
    WavReader reader;
    uint8_t byte;
    uint32_t got;
    EXPECT_EQ(reader.Read(&byte, 1, &got), kNotInitialized);
    EXPECT_EQ(reader.Rewind(), kNotInitialized);
    EXPECT_EQ(reader.Open(nullptr, nullptr, kReadMode), kInvalidArg);
    EXPECT_EQ(reader.Size(), 0u);
}

TEST(WavReader, OpensFilesAndFailsOnMissingOnes) {
    const std::string dir = testing::TempDir();
    const std::string path = dir + "/reader_tone.wav";
    const Bytes data = Counting(40);
    WriteFile(path, Riff({Chunk("fmt ", FmtBody(1, 2, 44100, 16)), Chunk("data", data)}));
    WavReader reader;
    ASSERT_EQ(reader.Open(path.c_str(), nullptr, kReadMode), kOk);
    EXPECT_EQ(reader.format->channels, 2);
    EXPECT_EQ(ReadAll(reader), data);

    // A failed open leaves nothing of the previous file behind.
    EXPECT_EQ(reader.Open((dir + "/no_such_sound.wav").c_str(), nullptr, kReadMode), kFail);
    EXPECT_EQ(reader.Size(), 0u);
    uint32_t got;
    EXPECT_EQ(reader.Read(Bytes(4).data(), 4, &got), kNotInitialized);
    std::filesystem::remove(path);
}

TEST(WavReader, OddChunkBeforeDataIsPaddedToEven) {
    // A 3-byte chunk followed by its pad byte: reading the next header one byte early would
    // find no "data".
    const Bytes data = Counting(4);
    const Bytes file = Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), Chunk("junk", Counting(3)), Chunk("data", data)});
    WavReader reader;
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    EXPECT_EQ(ReadAll(reader), data);
}

TEST(WavReader, ThousandsOfEmptyChunksAreSkipped) {
    std::vector<Bytes> chunks(20000, Chunk("pad ", {}));
    chunks.push_back(Chunk("fmt ", FmtBody(1, 1, 44100, 16)));
    chunks.push_back(Chunk("data", Counting(2)));
    const Bytes file = Riff(chunks);
    WavReader reader;
    ASSERT_EQ(reader.OpenBytes(file.data(), file.size()), kOk);
    EXPECT_EQ(reader.Size(), 2u);
}

struct Malformed {
    const char* what;
    Bytes bytes;
};

class WavReaderMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(WavReaderMalformed, FailsToOpenWithNothingLeft) {
    const Bytes& bytes = GetParam().bytes;
    WavReader reader;
    EXPECT_EQ(reader.OpenBytes(bytes.data(), bytes.size()), kFail);
    EXPECT_EQ(reader.Size(), 0u);
    EXPECT_EQ(reader.handle, nullptr);
    EXPECT_EQ(reader.format, nullptr);

    // The same bytes from a file.
    const std::string path = testing::TempDir() + "/malformed.wav";
    WriteFile(path, bytes);
    EXPECT_EQ(reader.Open(path.c_str(), nullptr, kReadMode), kFail);
    EXPECT_EQ(reader.Size(), 0u);
    std::filesystem::remove(path);
}

namespace {

const Bytes kFmt = Chunk("fmt ", FmtBody(1, 1, 44100, 16));
const Bytes kData = Chunk("data", Counting(8));

Bytes Truncated() {
    Bytes b = Riff({kFmt, kData});
    b.resize(b.size() - 3);
    return b;
}

Bytes WithoutTail(Bytes b, size_t n) {
    b.resize(b.size() - n);
    return b;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    BadInput, WavReaderMalformed,
    testing::Values(
        Malformed{"empty", {}},
        Malformed{"short", {'R', 'I', 'F', 'F', 4, 0, 0}},
        Malformed{"notRiff", [] { Bytes b = Riff({kFmt, kData}); b[0] = 'X'; return b; }()},
        Malformed{"notWave", [] { Bytes b = Riff({kFmt, kData}); b[8] = 'X'; return b; }()},
        Malformed{"truncated", Truncated()},
        Malformed{"riffSizePastEnd", Riff({kFmt, kData}, 1000)},
        Malformed{"riffSizeAllOnes", Riff({kFmt, kData}, 0xFFFFFFFF)},
        Malformed{"dataSizePastEnd", Riff({kFmt, Chunk("data", Counting(8), 800)})},
        Malformed{"dataSizeAllOnes", Riff({kFmt, Chunk("data", Counting(8), 0xFFFFFFFF)})},
        Malformed{"chunkSizeLieBeforeData", Riff({kFmt, Chunk("LIST", Counting(4), 0xFFFFFFF0), kData})},
        Malformed{"fmtUnder16", Riff({Chunk("fmt ", WithoutTail(FmtBody(1, 1, 44100, 16), 2)), kData})},
        Malformed{"fmtSizeAllOnes", Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16), 0xFFFFFFFF), kData})},
        Malformed{"extraCountPastChunk", Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {0xFF, 0xFF, 1, 2})), kData})},
        Malformed{"extraCountMissing", Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4)), kData})},
        Malformed{"zeroChannels", Riff({Chunk("fmt ", FmtBody(1, 0, 44100, 16, {}, 2)), kData})},
        Malformed{"zeroBlockAlign", Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16, {}, 0)), kData})},
        Malformed{"zeroRate", Riff({Chunk("fmt ", FmtBody(1, 1, 0, 16)), kData})},
        Malformed{"noData", Riff({kFmt, Chunk("LIST", Counting(6))})},
        Malformed{"noFmt", Riff({kData})},
        Malformed{"manyEmptyChunksNoData", [] {
            std::vector<Bytes> chunks(5000, Chunk("pad ", {}));
            chunks.insert(chunks.begin(), kFmt);
            return Riff(chunks);
        }()}),
    [](const testing::TestParamInfo<Malformed>& info) { return std::string(info.param.what); });

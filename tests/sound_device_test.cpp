#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "PulledOutput.h"
#include "audio/Mixer.h"
#include "WavBytes.h"
#include "audio/Sound.h"
#include "audio/SoundBuffer.h"
#include "audio/SoundDevice.h"
#include "audio/WavReader.h"

namespace {

using Samples = std::vector<int16_t>;
CSound* const kUntouched = reinterpret_cast<CSound*>(0x1);

class SoundDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        auto pulled = std::make_unique<PulledOutput>();
        output = pulled.get();
        device.audioOutput = std::move(pulled);
        ASSERT_EQ(device.SetPrimaryFormat(1, 44100, 16), kOk);
    }

    std::unique_ptr<CSound> Make(const Bytes& file, uint32_t bufferCount = 1) {
        WriteFile(path, file);
        CSound* sound = nullptr;
        EXPECT_EQ(device.CreateSound(&sound, path.c_str(), 0, Guid{}, bufferCount), kOk);
        return std::unique_ptr<CSound>(sound);
    }
    void Play(CSound& sound) { ASSERT_EQ(sound.Play(0, 0, 0, -1, 0), kOk); }

    SoundDevice device;
    PulledOutput* output = nullptr;
    std::string path = testing::TempDir() + "/device_" + std::to_string(getpid()) + ".wav";
};

}  // namespace

TEST_F(SoundDeviceTest, FormatAndRefusedSounds) {
    EXPECT_EQ(output->rate, 44100u);
    EXPECT_EQ(device.primaryFormat.blockAlign, 2);
    EXPECT_EQ(device.primaryFormat.avgBytesPerSec, 88200u);
    EXPECT_EQ(SoundDevice().SetPrimaryFormat(1, 44100, 16), kNotInitialized);

    CSound* sound = kUntouched;
    WriteFile(path, MonoWav({1, 2}));
    EXPECT_EQ(device.CreateSound(&sound, path.c_str(), 0, Guid{}, 0), kInvalidArg);
    EXPECT_EQ(device.CreateSound(&sound, nullptr, 0, Guid{}, 1), kInvalidArg);
    EXPECT_EQ(device.CreateSound(&sound, (path + ".missing").c_str(), 0, Guid{}, 1), kFail);
    WriteFile(path, MonoWav({}));
    EXPECT_EQ(device.CreateSound(&sound, path.c_str(), 0, Guid{}, 1), kFail);
    WriteFile(path, Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {0, 0})), Chunk("data", Bytes(8, 0))}));
    EXPECT_EQ(device.CreateSound(&sound, path.c_str(), 0, Guid{}, 1), kFail);  // compressed
    WriteFile(path, Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), Chunk("data", {1, 2}, kMaxSoundBufferBytes + 1)}));
    EXPECT_EQ(device.CreateSound(&sound, path.c_str(), 0, Guid{}, 1), kInvalidArg);  // hours of claimed silence
    EXPECT_EQ(sound, kUntouched);

    CSound empty({}, 0, nullptr, 0);
    EXPECT_FALSE(empty.IsPlaying());
    EXPECT_EQ(empty.Play(0, 0, 0, -1, 0), kNotInitialized);
    EXPECT_EQ(empty.Stop(), kNotInitialized);
}

TEST_F(SoundDeviceTest, PlaysOnceGoesOnWhenPlayedAgainStopKeepsThePlaceRewindResetsIt) {
    auto sound = Make(MonoWav({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(output->Pull(1), (Samples{0}));
    Play(*sound);
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_EQ(output->Pull(2), (Samples{1, 2}));
    Play(*sound);
    EXPECT_EQ(output->Pull(1), (Samples{3}));
    EXPECT_EQ(sound->Stop(), kOk);
    EXPECT_EQ(output->Pull(1), (Samples{0}));
    Play(*sound);
    EXPECT_EQ(output->Pull(4), (Samples{4, 5, 6, 0}));
    EXPECT_FALSE(sound->IsPlaying());
    Play(*sound);  // an ended sound starts from the top
    EXPECT_EQ(output->Pull(1), (Samples{1}));
    sound->Stop();
    EXPECT_EQ(sound->RewindBuffers(), kOk);
    Play(*sound);
    EXPECT_EQ(output->Pull(1), (Samples{1}));
}

TEST_F(SoundDeviceTest, SoundsAreSummedLimitedBelowMinusOneDbfsAndConverted) {
    auto a = Make(MonoWav({30000, 10, -30000}));
    auto b = Make(Riff({Chunk("fmt ", FmtBody(1, 2, 22050, 8)), Chunk("data", {255, 255, 128, 0})}));
    Play(*a);
    Play(*b);
    // b: channels averaged, each 22050 Hz frame stretched over two samples. Sums past the
    // limiter's knee are bent below its ceiling; quieter ones pass unchanged.
    EXPECT_EQ(output->Pull(5), (Samples{28999, 8074, -28999, -16384, 0}));
    ASSERT_EQ(device.SetPrimaryFormat(2, 44100, 16), kOk);
    Play(*a);
    EXPECT_EQ(output->Pull(1), (Samples{28298, 28298}));

    // Over every sum a pile-up of voices can make: unchanged to the knee, then rising without a
    // step and never reaching the ceiling (-1.06 dBFS), symmetric about zero.
    int32_t last = LimitSample(-400000);
    for (int32_t sum = -400000; sum <= 400000; ++sum) {
        const int32_t out = LimitSample(sum);
        if (std::abs(sum) <= kLimiterKnee) { ASSERT_EQ(out, sum); }
        ASSERT_TRUE(out >= last && out - last <= 1 && std::abs(out) < kLimiterCeiling && out == -LimitSample(-sum)) << sum;
        last = out;
    }
}

TEST_F(SoundDeviceTest, DataShorterThanTheBufferEndsInSilence) {
    // The rest of the buffer must be silence in the data's own format: for unsigned 8-bit
    // samples that is 128, and 0 there would be a full negative swing.
    for (uint16_t bits : {8, 16}) {
        const Bytes file = Riff({Chunk("fmt ", FmtBody(1, 1, 44100, bits)), Chunk("data", {200, 56})});
        auto reader = std::make_unique<WavReader>();
        ASSERT_EQ(reader->OpenBytes(file.data(), file.size()), kOk);
        BufferDescription description;
        description.bufferBytes = 4;
        description.format = reader->format.get();
        std::vector<std::unique_ptr<SoundBuffer>> buffers(1);
        ASSERT_EQ(device.CreateSoundBuffer(description, &buffers[0]), kOk);
        CSound sound(std::move(buffers), 4, std::move(reader), 0);
        Play(sound);
        EXPECT_EQ(output->Pull(4), bits == 8 ? (Samples{18432, -18432, 0, 0}) : (Samples{14536, 0, 0, 0})) << bits;
    }
    // A file cut short inside its data chunk lasts as long as the chunk says: what it holds,
    // then silence, even when it holds none of it.
    for (const Bytes& held : {Samples16({1000, -1000}), Bytes{}}) {
        auto sound = Make(Riff({Chunk("fmt ", FmtBody(1, 1, 44100, 16)), Chunk("data", held, 8)}));
        ASSERT_TRUE(sound);
        Play(*sound);
        EXPECT_EQ(output->Pull(3), held.empty() ? (Samples{0, 0, 0}) : (Samples{1000, -1000, 0}));
        EXPECT_TRUE(sound->IsPlaying());
        EXPECT_EQ(output->Pull(1), (Samples{0}));
        EXPECT_FALSE(sound->IsPlaying());
    }
}

TEST_F(SoundDeviceTest, ABusyBufferLeavesTheNextOneToPlay) {
    auto sound = Make(MonoWav({10, 20, 30}), 2);
    Play(*sound);
    EXPECT_EQ(output->Pull(1), (Samples{10}));
    EXPECT_EQ(sound->PickBuffer(), sound->buffers[1].get());
    Play(*sound);  // the second buffer shares the first one's data
    EXPECT_EQ(output->Pull(3), (Samples{30, 50, 30}));
    EXPECT_EQ(sound->RecoverLostBuffer(sound->buffers[0].get(), nullptr), kSFalse);
}

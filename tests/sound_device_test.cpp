#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PulledOutput.h"
#include "WavBytes.h"
#include "audio/Mixer.h"
#include "audio/Sound.h"
#include "audio/SoundBuffer.h"
#include "audio/SoundDevice.h"
#include "audio/WavReader.h"

namespace {

class SoundDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        auto out = std::make_unique<PulledOutput>();
        output = out.get();
        device.audioOutput = std::move(out);
        ASSERT_EQ(device.SetPrimaryFormat(1, 44100, 16), kOk);
    }
    void TearDown() override {
        for (const std::string& path : written) std::filesystem::remove(path);
    }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = testing::TempDir() + "/" + name;
        WriteFile(path, bytes);
        written.push_back(path);
        return path;
    }

    std::unique_ptr<CSound> Make(const std::string& name, const Bytes& bytes, uint32_t bufferCount = 1) {
        CSound* sound = nullptr;
        EXPECT_EQ(device.CreateSound(&sound, Write(name, bytes).c_str(), 0, Guid{}, bufferCount), kOk);
        return std::unique_ptr<CSound>(sound);
    }

    static uint32_t Position(CSound& sound, size_t buffer = 0) {
        uint32_t position = 0;
        sound.buffers[buffer]->GetCurrentPosition(&position);
        return position;
    }

    SoundDevice device;
    PulledOutput* output = nullptr;
    std::vector<std::string> written;
};

}  // namespace

TEST(SoundDevice, NeedsInitializingFirst) {
    SoundDevice device;
    EXPECT_EQ(device.SetPrimaryFormat(1, 44100, 16), kNotInitialized);
    CSound* sound = reinterpret_cast<CSound*>(0x1);
    EXPECT_EQ(device.CreateSound(&sound, "x.wav", 0, Guid{}, 1), kNotInitialized);
    EXPECT_EQ(sound, reinterpret_cast<CSound*>(0x1));
}

TEST_F(SoundDeviceTest, PrimaryFormatOpensTheOutput) {
    EXPECT_EQ(output->channels, 1);
    EXPECT_EQ(output->rate, 44100u);
    EXPECT_EQ(device.primaryFormat.blockAlign, 2);
    EXPECT_EQ(device.primaryFormat.avgBytesPerSec, 88200u);
    EXPECT_EQ(device.SetPrimaryFormat(1, 44100, 8), kFail);
}

TEST_F(SoundDeviceTest, CreateSoundRefusesBadArgumentsAndFiles) {
    CSound* sound = reinterpret_cast<CSound*>(0x1);
    const std::string good = Write("good.wav", MonoWav({1, 2}));
    EXPECT_EQ(device.CreateSound(&sound, good.c_str(), 0, Guid{}, 0), kInvalidArg);
    EXPECT_EQ(device.CreateSound(&sound, nullptr, 0, Guid{}, 1), kInvalidArg);
    EXPECT_EQ(device.CreateSound(nullptr, good.c_str(), 0, Guid{}, 1), kInvalidArg);
    EXPECT_EQ(device.CreateSound(&sound, (testing::TempDir() + "/missing.wav").c_str(), 0, Guid{}, 1), kFail);
    EXPECT_EQ(device.CreateSound(&sound, Write("empty.wav", MonoWav({})).c_str(), 0, Guid{}, 1), kFail);
    const Bytes adpcm = Riff({Chunk("fmt ", FmtBody(2, 1, 44100, 4, {0, 0})), Chunk("data", Bytes(8, 0))});
    EXPECT_EQ(device.CreateSound(&sound, Write("adpcm.wav", adpcm).c_str(), 0, Guid{}, 1), kFail);
    EXPECT_EQ(sound, reinterpret_cast<CSound*>(0x1));
}

TEST_F(SoundDeviceTest, PlaysTheWholeSoundOnceThenStopsAtTheStart) {
    auto sound = Make("tone.wav", MonoWav({100, -200, 300}));
    EXPECT_EQ(sound->bufferSize, 6u);
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(output->Pull(2), (std::vector<int16_t>{0, 0}));  // nothing plays until asked
    ASSERT_EQ(sound->Play(0, 0, 0, -1, 0), kOk);
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_EQ(output->Pull(5), (std::vector<int16_t>{100, -200, 300, 0, 0}));
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(Position(*sound), 0u);
    ASSERT_EQ(sound->Play(0, 0, 0, -1, 0), kOk);
    EXPECT_EQ(output->Pull(3), (std::vector<int16_t>{100, -200, 300}));
}

TEST_F(SoundDeviceTest, StopKeepsThePositionAndRewindResetsIt) {
    auto sound = Make("steps.wav", MonoWav({1, 2, 3, 4, 5, 6}));
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(2), (std::vector<int16_t>{1, 2}));
    // Playing what is playing neither restarts nor moves it.
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (std::vector<int16_t>{3}));
    EXPECT_EQ(sound->Stop(), kOk);
    EXPECT_FALSE(sound->IsPlaying());
    EXPECT_EQ(output->Pull(2), (std::vector<int16_t>{0, 0}));
    EXPECT_EQ(Position(*sound), 6u);
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (std::vector<int16_t>{4}));
    sound->Stop();
    EXPECT_EQ(sound->RewindBuffers(), kOk);
    EXPECT_EQ(Position(*sound), 0u);
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(2), (std::vector<int16_t>{1, 2}));
}

TEST_F(SoundDeviceTest, SoundsAreSummedAndClipped) {
    auto a = Make("a.wav", MonoWav({30000, 10, -30000}));
    auto b = Make("b.wav", MonoWav({30000, 20, -30000, 7}));
    a->Play(0, 0, 0, -1, 0);
    b->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(4), (std::vector<int16_t>{32767, 30, -32768, 7}));
    // Stereo output carries the same mix on both channels.
    ASSERT_EQ(device.SetPrimaryFormat(2, 44100, 16), kOk);
    a->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(2), (std::vector<int16_t>{30000, 30000, 10, 10}));
}

TEST_F(SoundDeviceTest, DataIsConvertedToTheDeviceFormat) {
    const Bytes stereo8 = Riff({Chunk("fmt ", FmtBody(1, 2, 22050, 8)), Chunk("data", {255, 255, 128, 0})});
    auto sound = Make("stereo8.wav", stereo8);
    sound->Play(0, 0, 0, -1, 0);
    // Channels averaged, 22050 frames a second stretched to 44100 samples between them.
    EXPECT_EQ(output->Pull(5), (std::vector<int16_t>{32512, 8064, -16384, -16384, 0}));
    EXPECT_FALSE(sound->IsPlaying());
}

TEST_F(SoundDeviceTest, DataShorterThanTheBufferEndsInSilence) {
    // Buffers larger than their data: the rest must be silence in the data's own format, which
    // for unsigned 8-bit samples is 128, not 0 (0 would be a full negative swing).
    for (uint16_t bits : {8, 16}) {
        const Bytes data = bits == 8 ? Bytes{200, 56} : Samples16({100, -100});
        const Bytes file = Riff({Chunk("fmt ", FmtBody(1, 1, 44100, bits)), Chunk("data", data)});
        auto reader = std::make_unique<WavReader>();
        ASSERT_EQ(reader->OpenBytes(file.data(), file.size()), kOk);
        BufferDescription description;
        description.bufferBytes = 8;
        description.format = reader->format.get();
        std::vector<std::unique_ptr<SoundBuffer>> buffers(1);
        ASSERT_EQ(device.CreateSoundBuffer(description, &buffers[0]), kOk);
        CSound sound(std::move(buffers), 8, std::move(reader), 0);
        sound.Play(0, 0, 0, -1, 0);
        const std::vector<int16_t> played = output->Pull(bits == 8 ? 8 : 4);
        const std::vector<int16_t> expected =
            bits == 8 ? std::vector<int16_t>{18432, -18432, 0, 0, 0, 0, 0, 0} : std::vector<int16_t>{100, -100, 0, 0};
        EXPECT_EQ(played, expected) << bits << "-bit";
    }
}

TEST_F(SoundDeviceTest, SeveralBuffersShareTheDataAndPlayTogether) {
    auto sound = Make("multi.wav", MonoWav({10, 20, 30}), 2);
    ASSERT_EQ(sound->bufferCount, 2u);
    EXPECT_EQ(sound->PickBuffer(), sound->buffers[0].get());
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (std::vector<int16_t>{10}));
    // The first buffer is busy, so the second one (sharing its memory) starts from the top.
    EXPECT_EQ(sound->PickBuffer(), sound->buffers[1].get());
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(3), (std::vector<int16_t>{30, 50, 30}));
    EXPECT_EQ(sound->RecoverLostBuffer(sound->buffers[0].get(), nullptr), kSFalse);
    EXPECT_EQ(sound->RecoverLostBuffer(nullptr, nullptr), kNotInitialized);
}

TEST(Sound, WithoutBuffersEveryOperationFailsQuietly) {
    CSound sound({}, 0, nullptr, 0);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.PickBuffer(), nullptr);
    EXPECT_EQ(sound.Play(0, 0, 0, -1, 0), kNotInitialized);
    EXPECT_EQ(sound.Stop(), kNotInitialized);
    EXPECT_EQ(sound.RewindBuffers(), kNotInitialized);
    EXPECT_EQ(sound.LoadIntoBuffer(nullptr, false), kNotInitialized);
}

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AudioTestEnv.h"
#include "PulledOutput.h"
#include "WavBytes.h"
#include "audio/Music.h"
#include "audio/Sound.h"
#include "audio/SoundDevice.h"
#include "audio/SoundSystem.h"
#include "resources/ResourceCatalogue.h"
#include "shell/GameState.h"

namespace {

// A real SoundSystem, set up through SDL's dummy driver, whose output is then swapped for one
// the test pulls from.
class SoundSystemTest : public testing::Test {
protected:
    void SetUp() override {
        ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
        system = std::make_unique<SoundSystem>(nullptr);
        ASSERT_TRUE(system->enabled);
        auto pulled = std::make_unique<PulledOutput>();
        output = pulled.get();
        system->device->audioOutput = std::move(pulled);
        ASSERT_EQ(system->device->SetPrimaryFormat(1, 44100, 16), kOk);
    }
    void TearDown() override {
        g_catalogue = nullptr;
        g_soundSystem = nullptr;
        g_musicOff = false;
        for (const std::string& path : written) std::filesystem::remove(path);
    }

    CSound* Make(const std::vector<int16_t>& samples) {
        const std::string path = testing::TempDir() + "/system" + std::to_string(written.size()) + ".wav";
        WriteFile(path, MonoWav(samples));
        written.push_back(path);
        CSound* sound = nullptr;
        EXPECT_EQ(system->CreateSound(&sound, path.c_str()), 0u);
        return sound;
    }

    std::unique_ptr<SoundSystem> system;
    PulledOutput* output = nullptr;
    std::vector<std::string> written;
};

using Samples = std::vector<int16_t>;

}  // namespace

TEST_F(SoundSystemTest, PlayRestartsAPlayingSoundFromTheBeginning) {
    std::unique_ptr<CSound> sound(Make({1, 2, 3, 4}));
    EXPECT_EQ(system->Play(sound.get()), 0u);
    EXPECT_EQ(output->Pull(2), (Samples{1, 2}));
    EXPECT_EQ(system->Play(sound.get()), 0u);
    EXPECT_TRUE(system->IsPlaying(sound.get()));
    EXPECT_EQ(output->Pull(5), (Samples{1, 2, 3, 4, 0}));
    EXPECT_FALSE(system->IsPlaying(sound.get()));
}

TEST_F(SoundSystemTest, StopRewindsAPlayingSoundAndLeavesAStoppedOneAlone) {
    std::unique_ptr<CSound> sound(Make({1, 2, 3, 4}));
    system->Play(sound.get());
    output->Pull(2);
    EXPECT_EQ(system->Stop(sound.get()), 0u);
    EXPECT_FALSE(system->IsPlaying(sound.get()));
    EXPECT_EQ(output->Pull(1), (Samples{0}));
    system->Play(sound.get());
    EXPECT_EQ(output->Pull(1), (Samples{1}));

    // A sound stopped below the system keeps its place: the system's Stop only acts on a
    // playing sound.
    sound->Stop();
    EXPECT_EQ(system->Stop(sound.get()), 0u);
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (Samples{2}));
}

TEST_F(SoundSystemTest, NullSoundsAreIgnored) {
    EXPECT_EQ(system->Play(nullptr), 0u);
    EXPECT_EQ(system->Stop(nullptr), 0u);
    EXPECT_FALSE(system->IsPlaying(nullptr));
    EXPECT_NE(system->CreateSound(nullptr, "x.wav"), 0u);
    CSound* sound = reinterpret_cast<CSound*>(0x1);
    EXPECT_NE(system->CreateSound(&sound, (testing::TempDir() + "/none.wav").c_str()), 0u);
    EXPECT_EQ(sound, reinterpret_cast<CSound*>(0x1));
}

TEST_F(SoundSystemTest, MusicIsKeptGoingWhileOnAndStoppedWhenOff) {
    ResourceCatalogue catalogue(nullptr, nullptr);
    catalogue.sounds["blues"].reset(Make({5, 6, 7}));
    CSound* blues = catalogue.sounds["blues"].get();
    g_catalogue = &catalogue;
    g_soundSystem = system.get();

    KeepMusicGoing();
    EXPECT_EQ(output->Pull(4), (Samples{5, 6, 7, 0}));
    EXPECT_FALSE(system->IsPlaying(blues));
    // The next frame's upkeep starts the ended music again.
    KeepMusicGoing();
    EXPECT_EQ(output->Pull(2), (Samples{5, 6}));
    KeepMusicGoing();  // playing: left alone
    EXPECT_EQ(output->Pull(1), (Samples{7}));

    KeepMusicGoing();
    output->Pull(1);
    g_musicOff = true;
    KeepMusicGoing();
    EXPECT_FALSE(system->IsPlaying(blues));
    KeepMusicGoing();
    EXPECT_EQ(output->Pull(2), (Samples{0, 0}));
    // Back on, it starts from the top, not where it was cut off.
    g_musicOff = false;
    KeepMusicGoing();
    EXPECT_EQ(output->Pull(1), (Samples{5}));
}

TEST_F(SoundSystemTest, MusicUpkeepWithoutTheSoundDoesNothing) {
    ResourceCatalogue catalogue(nullptr, nullptr);
    g_soundSystem = system.get();
    KeepMusicGoing();  // no catalogue yet
    g_catalogue = &catalogue;
    KeepMusicGoing();
    g_musicOff = true;
    KeepMusicGoing();
    EXPECT_EQ(output->Pull(1), (Samples{0}));
}

TEST(SoundSystemDisabled, EveryOperationDoesNothing) {
    // A sound made on a working device, to show the disabled system leaves it untouched.
    SoundDevice device;
    auto pulled = std::make_unique<PulledOutput>();
    PulledOutput* output = pulled.get();
    device.audioOutput = std::move(pulled);
    ASSERT_EQ(device.SetPrimaryFormat(1, 44100, 16), kOk);
    const std::string path = testing::TempDir() + "/disabled.wav";
    WriteFile(path, MonoWav({1, 2, 3}));
    CSound* raw = nullptr;
    ASSERT_EQ(device.CreateSound(&raw, path.c_str(), 0, Guid{}, 1), kOk);
    std::unique_ptr<CSound> sound(raw);

    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    SoundSystem system(nullptr);
    ASSERT_FALSE(system.enabled);
    CSound* untouched = reinterpret_cast<CSound*>(0x1);
    EXPECT_EQ(system.CreateSound(&untouched, path.c_str()), 1u);
    EXPECT_EQ(untouched, reinterpret_cast<CSound*>(0x1));
    EXPECT_EQ(system.Play(sound.get()), 0u);
    EXPECT_EQ(system.Play(nullptr), 0u);
    EXPECT_FALSE(sound->IsPlaying());

    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (Samples{1}));
    EXPECT_FALSE(system.IsPlaying(sound.get()));
    EXPECT_EQ(system.Stop(sound.get()), 0u);
    EXPECT_EQ(system.Play(sound.get()), 0u);
    EXPECT_EQ(output->Pull(2), (Samples{2, 3}));  // neither stopped nor restarted
    EXPECT_EQ(system.Stop(nullptr), 0u);
    EXPECT_FALSE(system.IsPlaying(nullptr));
    std::filesystem::remove(path);
}

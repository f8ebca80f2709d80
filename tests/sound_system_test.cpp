#include <gtest/gtest.h>
#include <unistd.h>

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
#include "state/GameState.h"

namespace {

using Samples = std::vector<int16_t>;

// A real SoundSystem set up through SDL's dummy driver, its output then swapped for one the
// test pulls from.
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
        std::filesystem::remove(path);
    }

    CSound* Make(const Samples& samples) {
        WriteFile(path, MonoWav(samples));
        CSound* sound = nullptr;
        EXPECT_EQ(system->CreateSound(&sound, path.c_str()), 0u);
        return sound;
    }

    std::unique_ptr<SoundSystem> system;
    PulledOutput* output = nullptr;
    std::string path = testing::TempDir() + "/system_" + std::to_string(getpid()) + ".wav";
};

}  // namespace

TEST_F(SoundSystemTest, PlayRestartsStopRewindsOnlyWhatPlays) {
    std::unique_ptr<CSound> sound(Make({1, 2, 3, 4}));
    EXPECT_EQ(system->Play(sound.get()), 0u);
    EXPECT_EQ(output->Pull(2), (Samples{1, 2}));
    EXPECT_EQ(system->Play(sound.get()), 0u);
    EXPECT_TRUE(system->IsPlaying(sound.get()));
    EXPECT_EQ(output->Pull(2), (Samples{1, 2}));
    EXPECT_EQ(system->Stop(sound.get()), 0u);
    EXPECT_FALSE(system->IsPlaying(sound.get()));
    system->Play(sound.get());
    EXPECT_EQ(output->Pull(1), (Samples{1}));
    // Stopped below the system, the sound keeps its place: Stop acts only on a playing sound.
    sound->Stop();
    system->Stop(sound.get());
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (Samples{2}));
    EXPECT_EQ(system->Play(nullptr), 0u);
    EXPECT_EQ(system->Stop(nullptr), 0u);
    EXPECT_FALSE(system->IsPlaying(nullptr));
}

TEST_F(SoundSystemTest, MusicIsKeptGoingWhileOnAndStoppedWhenOff) {
    std::unique_ptr<CSound> blues(Make({5, 6, 7}));
    KeepMusicGoing(nullptr, blues.get(), false);  // no sound system
    KeepMusicGoing(system.get(), nullptr, false);  // no "blues"
    KeepMusicGoing(system.get(), blues.get(), false);
    EXPECT_EQ(output->Pull(4), (Samples{5, 6, 7, 0}));
    KeepMusicGoing(system.get(), blues.get(), false);  // ended: started again
    EXPECT_EQ(output->Pull(2), (Samples{5, 6}));
    KeepMusicGoing(system.get(), blues.get(), false);  // playing: left alone
    EXPECT_EQ(output->Pull(1), (Samples{7}));
    KeepMusicGoing(system.get(), blues.get(), true);
    EXPECT_FALSE(system->IsPlaying(blues.get()));
    KeepMusicGoing(system.get(), blues.get(), true);
    EXPECT_EQ(output->Pull(1), (Samples{0}));
    // Back on from the top, not where it was cut off.
    KeepMusicGoing(system.get(), blues.get(), false);
    EXPECT_EQ(output->Pull(1), (Samples{5}));
}

TEST_F(SoundSystemTest, DisabledSystemLeavesEverySoundAlone) {
    std::unique_ptr<CSound> sound(Make({1, 2, 3}));
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    SoundSystem disabled(nullptr);
    ASSERT_FALSE(disabled.enabled);
    CSound* untouched = reinterpret_cast<CSound*>(0x1);
    EXPECT_EQ(disabled.CreateSound(&untouched, path.c_str()), 1u);
    EXPECT_EQ(untouched, reinterpret_cast<CSound*>(0x1));
    EXPECT_EQ(disabled.Play(sound.get()), 0u);
    EXPECT_FALSE(sound->IsPlaying());
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (Samples{1}));
    EXPECT_FALSE(disabled.IsPlaying(sound.get()));
    EXPECT_EQ(disabled.Stop(sound.get()), 0u);
    EXPECT_EQ(disabled.Play(sound.get()), 0u);
    EXPECT_EQ(output->Pull(2), (Samples{2, 3}));  // neither stopped nor restarted
    EXPECT_EQ(disabled.Play(nullptr), 0u);
    EXPECT_EQ(disabled.Stop(nullptr), 0u);
}

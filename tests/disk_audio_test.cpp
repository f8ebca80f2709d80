#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "AudioTestEnv.h"
#include "WavBytes.h"
#include "audio/Music.h"
#include "audio/Sound.h"
#include "audio/SoundBuffer.h"
#include "audio/SoundSystem.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"

// The real output path: SoundSystem through SDL's "disk" driver, which writes exactly what was
// mixed to a file. The driver plays in real time, so the tests wait for what they need with a
// generous bound and never assert on how long anything took.

namespace {

using Samples = std::vector<int16_t>;

// Samples no other part of the output could match by chance.
Samples Noise(size_t count, uint32_t seed) {
    Samples out(count);
    for (int16_t& s : out) {
        seed = seed * 1664525u + 1013904223u;
        s = int16_t(seed >> 16);
        if (s == 0) s = 1;
    }
    return out;
}

size_t Occurrences(const Samples& haystack, const Samples& needle) {
    size_t count = 0;
    for (auto it = haystack.begin(); (it = std::search(it, haystack.end(), needle.begin(), needle.end())) != haystack.end(); ++it)
        ++count;
    return count;
}

bool WaitFor(const std::function<bool()>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done() && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return done();
}

class DiskAudioTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string base = testing::TempDir() + "/disk_audio_" + std::to_string(getpid());
        rawPath = base + ".raw";
        wavPath = base + ".wav";
        driver.emplace("SDL_AUDIODRIVER", "disk");
        file.emplace("SDL_DISKAUDIOFILE", rawPath);
        system = std::make_unique<SoundSystem>(nullptr);
        ASSERT_TRUE(system->enabled);
    }
    void TearDown() override {
        g_catalogue = nullptr;
        g_soundSystem = nullptr;
        g_musicOff = false;
        std::filesystem::remove(rawPath);
        std::filesystem::remove(wavPath);
    }

    std::unique_ptr<CSound> Load(const Samples& samples) {
        WriteFile(wavPath, MonoWav(samples));
        CSound* sound = nullptr;
        EXPECT_EQ(system->CreateSound(&sound, wavPath.c_str()), 0u);
        return std::unique_ptr<CSound>(sound);
    }

    // Closes the device, which flushes the file, and reads back everything it played.
    Samples Played() {
        system.reset();
        std::ifstream in(rawPath, std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Samples out(bytes.size() / 2);
        for (size_t i = 0; i < out.size(); ++i) out[i] = int16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
        return out;
    }

    std::string rawPath, wavPath;
    std::optional<ScopedEnv> driver, file;
    std::unique_ptr<SoundSystem> system;
};

}  // namespace

TEST_F(DiskAudioTest, APlayedSoundReachesTheOutputUnchangedAndStopThenPlayStartsItAgain) {
    const Samples tone = Noise(22050, 2);
    auto sound = Load(tone);
    EXPECT_EQ(system->Play(sound.get()), 0u);
    ASSERT_TRUE(WaitFor([&] {
        uint32_t position = 0;
        sound->buffers[0]->GetCurrentPosition(&position);
        return position > 0;
    }));
    system->Stop(sound.get());
    EXPECT_FALSE(system->IsPlaying(sound.get()));
    system->Play(sound.get());
    ASSERT_TRUE(WaitFor([&] { return !system->IsPlaying(sound.get()); }));
    const Samples played = Played();
    EXPECT_EQ(Occurrences(played, Samples(tone.begin(), tone.begin() + 256)), 2u);
    EXPECT_GE(Occurrences(played, tone), 1u);
}

TEST_F(DiskAudioTest, MusicEndingIsStartedAgainAndSilencedWhenOff) {
    const Samples blues = Noise(1500, 3);
    ResourceCatalogue catalogue(nullptr, nullptr);
    catalogue.sounds["blues"] = Load(blues);
    CSound* sound = catalogue.sounds["blues"].get();
    for (int round = 0; round < 2; ++round) {
        KeepMusicGoing(system.get(), sound, false);
        EXPECT_TRUE(system->IsPlaying(sound));
        ASSERT_TRUE(WaitFor([&] { return !system->IsPlaying(sound); }));
    }
    KeepMusicGoing(system.get(), sound, true);
    EXPECT_FALSE(system->IsPlaying(sound));
    const Samples played = Played();
    EXPECT_EQ(Occurrences(played, blues), 2u);
    EXPECT_EQ(Occurrences(played, Samples(blues.begin(), blues.begin() + 64)), 2u);
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "PulledOutput.h"
#include "TempDir.h"
#include "WavBytes.h"
#include "audio/Music.h"
#include "audio/Sound.h"
#include "audio/SoundDevice.h"
#include "audio/SoundSystem.h"

namespace {

using Samples = std::vector<int16_t>;

// A real SoundSystem set up through SDL's dummy driver, its output then swapped for one the
// test pulls from.
class SoundSystemTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        system = std::make_unique<SoundSystem>(nullptr);
        ASSERT_TRUE(system->enabled);
        auto pulled = std::make_unique<PulledOutput>();
        output = pulled.get();
        system->device->audioOutput = std::move(pulled);
        ASSERT_EQ(system->device->SetPrimaryFormat(1, 44100, 16), kOk);
    }
    std::unique_ptr<CSound> Make(const Samples& samples) {
        const std::string path = dir.Write("sound.wav", "");
        WriteFile(path, MonoWav(samples));
        CSound* sound = nullptr;
        EXPECT_EQ(system->CreateSound(&sound, path.c_str()), 0u);
        return std::unique_ptr<CSound>(sound);
    }

    TempDir dir;
    std::unique_ptr<SoundSystem> system;
    PulledOutput* output = nullptr;
};

}  // namespace

TEST_F(SoundSystemTest, PlayRestartsAndStopActsOnlyOnWhatPlays) {
    auto sound = Make({1, 2, 3, 4});
    EXPECT_EQ(system->Play(sound.get()), 0u);
    EXPECT_EQ(output->Pull(2), (Samples{1, 2}));
    EXPECT_EQ(system->Play(sound.get()), 0u);
    EXPECT_TRUE(system->IsPlaying(sound.get()));
    EXPECT_EQ(output->Pull(2), (Samples{1, 2}));
    EXPECT_EQ(system->Stop(sound.get()), 0u);
    EXPECT_FALSE(system->IsPlaying(sound.get()));
    system->Play(sound.get());
    EXPECT_EQ(output->Pull(1), (Samples{1}));
    // Stopped below the system, the sound keeps its place: Stop does not rewind it.
    sound->Stop();
    system->Stop(sound.get());
    sound->Play(0, 0, 0, -1, 0);
    EXPECT_EQ(output->Pull(1), (Samples{2}));
    EXPECT_TRUE(system->Play(nullptr) == 0u && system->Stop(nullptr) == 0u && !system->IsPlaying(nullptr));

    // A system without a device leaves every sound alone: neither stopped nor restarted.
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundSystem disabled(nullptr);
    ASSERT_FALSE(disabled.enabled);
    CSound* untouched = reinterpret_cast<CSound*>(0x1);
    EXPECT_EQ(disabled.CreateSound(&untouched, (dir.Path() / "sound.wav").c_str()), 1u);
    EXPECT_EQ(untouched, reinterpret_cast<CSound*>(0x1));
    EXPECT_FALSE(disabled.IsPlaying(sound.get()));
    EXPECT_EQ(disabled.Stop(sound.get()), 0u);
    EXPECT_EQ(disabled.Play(sound.get()), 0u);
    EXPECT_EQ(output->Pull(2), (Samples{3, 4}));
    EXPECT_TRUE(disabled.Play(nullptr) == 0u && disabled.Stop(nullptr) == 0u);
}

// The shipped music kept going by the frame loop's rule, mixed in calls of 512 frames, with a
// game frame falling on the start of the last call before each end (the worst case: the music
// still plays then, so only the next frame restarts it). Every play starts sample-exact; the
// quiet between two plays is shorter than the interval of the frame that restarted it and than
// 30 ms; the music fades into and out of it with no click; music off silences it.
TEST_F(SoundSystemTest, MusicLoopsWithAShortSeamWithoutAClickAndMusicOffSilencesIt) {
    std::ifstream in(std::string(TRACKLET_SOURCE_DIR) + "/data/standard/sounds/blues.wav", std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 44u);
    Samples music((file.size() - 44) / 2);
    for (size_t i = 0; i < music.size(); ++i) music[i] = int16_t(file[44 + 2 * i] | file[45 + 2 * i] << 8);
    auto blues = Make(music);
    KeepMusicGoing(nullptr, blues.get(), false);  // no sound system
    KeepMusicGoing(system.get(), nullptr, false);  // no "blues"
    constexpr uint64_t kCall = 512, kFrame = 44100 / 60;
    Samples played;
    std::vector<uint64_t> starts, intervals;  // output position of each (re)start, and its frame's interval
    uint64_t due = 0, previous = 0, stopAt = 0;
    while (!stopAt || played.size() < stopAt + 22050) {
        const uint64_t now = played.size();
        if (now >= due) {
            if (starts.size() == 3 && now >= starts[2] + 44100 && !stopAt) stopAt = now;
            const bool playing = system->IsPlaying(blues.get());
            KeepMusicGoing(system.get(), blues.get(), stopAt != 0);
            due = now + kFrame;
            if (!playing && !stopAt) {
                starts.push_back(now);
                intervals.push_back(now - previous);
                due = (now + music.size() - 1) / kCall * kCall;
            }
            previous = now;
        }
        const Samples mixed = output->Pull(kCall);
        played.insert(played.end(), mixed.begin(), mixed.end());
    }
    ASSERT_EQ(starts.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        const size_t whole = k < 2 ? music.size() : size_t(stopAt - starts[2]);
        EXPECT_TRUE(std::equal(music.begin(), music.begin() + whole, played.begin() + starts[k])) << "play " << k;
    }
    for (size_t k = 1; k < 3; ++k) {
        const size_t end = starts[k - 1] + music.size(), restart = starts[k];
        EXPECT_LT(restart - end, intervals[k]) << "seam " << k;
        EXPECT_TRUE(std::all_of(played.begin() + end, played.begin() + restart, [](int16_t v) { return v == 0; }));
        const auto quiet = [&](size_t i) { return std::abs(played[i]) <= 328; };  // -40 dBFS
        size_t first = end, last = restart;
        while (quiet(first - 1)) --first;
        while (quiet(last)) ++last;
        EXPECT_LE(last - first, 1323u) << "seam " << k << ": " << (last - first) * 1000.0 / 44100 << " ms quiet";
        EXPECT_TRUE(std::abs(played[end - 1]) <= 64 && std::abs(played[restart]) <= 64) << "a click at seam " << k;
    }
    EXPECT_TRUE(std::all_of(played.begin() + stopAt, played.end(), [](int16_t v) { return v == 0; }));
}

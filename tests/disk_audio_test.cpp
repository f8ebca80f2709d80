#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
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
#include "audio/SoundDevice.h"
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
        s = int16_t(int16_t(seed >> 16) / 2);  // below the mixer's limiter, which bends louder sums
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

namespace {

// The SDL output with a gate before the mixer: the audio thread mixes only as far as the test
// lets it, so the game's frames fall at exact places in the output however fast each thread runs.
class GatedOutput : public AudioOutput {
public:
    explicit GatedOutput(std::unique_ptr<AudioOutput> inner) : inner(std::move(inner)) {}
    ~GatedOutput() override { Stop(); }
    Result Start(uint16_t channels, uint32_t rate, FillFunction fill_, void* context_) override {
        fill = fill_;
        context = context_;
        return inner->Start(channels, rate, &GatedOutput::Fill, this);
    }
    void Stop() override {
        MixFreely();
        inner->Stop();
    }
    // Lets the mixer run until it has made `frames` frames or more, and waits for that; between
    // two calls nothing is mixed. The number of frames made, or 0 when the output stopped.
    uint64_t MixUntil(uint64_t frames) {
        std::unique_lock<std::mutex> hold(lock);
        allowed = frames;
        changed.notify_all();
        return changed.wait_for(hold, std::chrono::seconds(60), [&] { return mixed >= frames; }) ? mixed : 0;
    }
    // Frames the mixer makes per call, once it has been called.
    uint64_t CallFrames() {
        std::lock_guard<std::mutex> hold(lock);
        return callFrames;
    }
    void MixFreely() {
        std::lock_guard<std::mutex> hold(lock);
        allowed = UINT64_MAX;
        changed.notify_all();
    }

private:
    static void Fill(void* self_, int16_t* samples, uint32_t frames, uint32_t channels) {
        auto* self = static_cast<GatedOutput*>(self_);
        {
            std::unique_lock<std::mutex> hold(self->lock);
            self->changed.wait(hold, [&] { return self->mixed < self->allowed; });
        }
        self->fill(self->context, samples, frames, channels);
        std::lock_guard<std::mutex> hold(self->lock);
        self->mixed += frames;
        self->callFrames = frames;
        self->changed.notify_all();
    }

    std::unique_ptr<AudioOutput> inner;
    FillFunction fill = nullptr;
    void* context = nullptr;
    std::mutex lock;
    std::condition_variable changed;
    uint64_t allowed = 0, mixed = 0, callFrames = 0;
};

}  // namespace

// The shipped music kept going by the frame loop's rule, with a frame every 1/60 s of output
// time, timed so that the frame before each end just misses it (the worst case). Every play
// starts sample-exact in the first mixing call after the frame that saw the music end; the
// quiet between two plays is shorter than that frame's interval and than 30 ms; the music fades
// into and out of it with no click; music off silences it.
TEST_F(DiskAudioTest, MusicLoopsWithAShortSeamWithoutAClickAndMusicOffSilencesIt) {
    std::ifstream in(std::string(TRACKLET_SOURCE_DIR) + "/data/standard/sounds/blues.wav", std::ios::binary);
    const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 44u);
    Samples blues((file.size() - 44) / 2);
    for (size_t i = 0; i < blues.size(); ++i) blues[i] = int16_t(file[44 + 2 * i] | file[45 + 2 * i] << 8);
    ResourceCatalogue catalogue(nullptr, nullptr);
    catalogue.sounds["blues"] = Load(blues);
    CSound* sound = catalogue.sounds["blues"].get();
    // The same device behind the gate, reopened to mix as fast as the gate lets it.
    ScopedEnv flatOut("SDL_DISKAUDIODELAY", "0");
    SoundDevice& device = *system->device;
    device.audioOutput->Stop();
    auto owned = std::make_unique<GatedOutput>(CreateAudioOutput());
    GatedOutput* gate = owned.get();
    device.audioOutput = std::move(owned);
    ASSERT_EQ(device.SetPrimaryFormat(1, 44100, 16), kOk);

    constexpr uint64_t kFrame = 44100 / 60;
    std::vector<uint64_t> starts, intervals;  // output position of each (re)start, and its frame's interval
    uint64_t due = 1, previous = 0, stopAt = 0;
    bool musicOff = false;
    for (;;) {
        const uint64_t now = gate->MixUntil(due);
        ASSERT_GT(now, 0u) << "the disk audio output stopped";
        due += kFrame;
        if (starts.size() == 3 && now >= starts[2] + 44100 && !musicOff) {
            musicOff = true;
            stopAt = now;
        }
        const bool playing = system->IsPlaying(sound);
        KeepMusicGoing(system.get(), sound, musicOff);
        if (!playing && !musicOff) {
            starts.push_back(now);
            intervals.push_back(now - previous);
            // Shift the cadence so a frame falls on the last mixing call before this play ends.
            const uint64_t call = gate->CallFrames();
            const uint64_t lastCall = (now + blues.size() - 1) / call * call;
            due = lastCall - (lastCall - now - 1) / kFrame * kFrame;
        }
        previous = now;
        if (stopAt && now >= stopAt + 22050) break;
    }
    EXPECT_FALSE(system->IsPlaying(sound));
    ASSERT_EQ(starts.size(), 3u);
    const Samples played = Played();

    // The output file began before the first call of the mixer; the first play ties the two.
    auto found = std::search(played.begin(), played.end(), blues.begin(), blues.begin() + 4096);
    ASSERT_NE(found, played.end());
    const int64_t offset = (found - played.begin()) - int64_t(starts[0]);
    const auto at = [&](uint64_t mixed) { return size_t(int64_t(mixed) + offset); };
    ASSERT_LE(at(stopAt) + 22050, played.size());
    for (size_t k = 0; k < 3; ++k) {
        const size_t whole = k < 2 ? blues.size() : size_t(stopAt - starts[2]);
        EXPECT_TRUE(std::equal(blues.begin(), blues.begin() + whole, played.begin() + at(starts[k]))) << "play " << k;
    }
    for (size_t k = 1; k < 3; ++k) {
        // Digital silence between the end and the restart, and the quiet run around it.
        const size_t end = at(starts[k - 1]) + blues.size(), restart = at(starts[k]);
        EXPECT_LT(restart - end, intervals[k]) << "seam " << k;
        EXPECT_TRUE(std::all_of(played.begin() + end, played.begin() + restart, [](int16_t v) { return v == 0; }));
        const auto quiet = [&](size_t i) { return std::abs(played[i]) <= 328; };  // -40 dBFS
        size_t first = end, last = restart;
        while (quiet(first - 1)) --first;
        while (quiet(last)) ++last;
        EXPECT_LE(last - first, 1323u) << "seam " << k << ": " << (last - first) * 1000.0 / 44100 << " ms quiet";
        std::printf("seam %zu: %.1f ms of digital silence, %.1f ms below -40 dBFS\n", k,
                    (restart - end) * 1000.0 / 44100, (last - first) * 1000.0 / 44100);
        // A step from sound into silence and out of it is a click; the music fades to nothing.
        EXPECT_LE(std::abs(played[end - 1]), 64) << "seam " << k;
        EXPECT_LE(std::abs(played[restart]), 64) << "seam " << k;
    }
    EXPECT_TRUE(std::all_of(played.begin() + at(stopAt), played.end(), [](int16_t v) { return v == 0; }));
}

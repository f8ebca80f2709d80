#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AudioTestEnv.h"
#include "PulledOutput.h"
#include "WavBytes.h"
#include "audio/Sound.h"
#include "audio/SoundDevice.h"
#include "audio/SoundSystem.h"
#include "resources/ResourceCatalogue.h"

namespace fs = std::filesystem;

namespace {

// Runs in a fresh folder holding a style folder "look" with its sounds; the sound list is
// written by each test.
class SoundLoadingTest : public testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        root = fs::path(testing::TempDir()) / ("sound_loading_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "look" / "sounds");
        fs::current_path(root);
        WriteFile("look/sounds/one.wav", MonoWav({11}));
        WriteFile("look/sounds/two.wav", MonoWav({22}));
        catalogue.styles[0] = "look";
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }

    void List(const std::string& text) { std::ofstream("look/sounds.txt") << text; }

    // The sample a sound starts with, pulled through a test output.
    int16_t FirstSample(SoundSystem& system, CSound* sound) {
        auto pulled = std::make_unique<PulledOutput>();
        PulledOutput* output = pulled.get();
        system.device->audioOutput = std::move(pulled);
        system.device->SetPrimaryFormat(1, 44100, 16);
        system.Play(sound);
        return output->Pull(1)[0];
    }

    fs::path previous, root;
    ResourceCatalogue catalogue{nullptr, nullptr};
};

}  // namespace

TEST_F(SoundLoadingTest, StopsAtTheFirstSoundThatCannotBeMade) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    SoundSystem system(nullptr);
    ASSERT_TRUE(system.enabled);
    catalogue.soundSystem = &system;
    List("steam one.wav\nrail missing.wav\ntoot two.wav\n");
    EXPECT_EQ(catalogue.LoadSounds(0), 1);
    ASSERT_EQ(catalogue.sounds.size(), 1u);
    EXPECT_NE(catalogue.sounds["steam"], nullptr);
}

TEST_F(SoundLoadingTest, ALaterRecordReplacesAnEarlierOneOfTheSameName) {
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    SoundSystem system(nullptr);
    catalogue.soundSystem = &system;
    List("blues one.wav blues two.wav steam one.wav");  // any white space separates records
    EXPECT_EQ(catalogue.LoadSounds(0), 0);
    EXPECT_EQ(catalogue.sounds.size(), 2u);
    EXPECT_EQ(FirstSample(system, catalogue.FindSound("blues")), 22);
}

TEST_F(SoundLoadingTest, NothingLoadsWithoutASoundDevice) {
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    SoundSystem system(nullptr);
    ASSERT_FALSE(system.enabled);
    catalogue.soundSystem = &system;
    List("blues one.wav\n");
    EXPECT_EQ(catalogue.LoadSounds(0), 1);
    EXPECT_TRUE(catalogue.sounds.empty());
    EXPECT_EQ(catalogue.FindSound("blues"), nullptr);
}

TEST_F(SoundLoadingTest, WorksFromADeepCurrentDirectory) {
    // Deeper than the 259 characters a fixed buffer would have held.
    fs::path deep = root;
    for (int i = 0; i < 8; ++i) deep /= std::string(40, char('a' + i));
    fs::create_directories(deep / "look" / "sounds");
    fs::copy_file("look/sounds/one.wav", deep / "look/sounds/one.wav");
    fs::current_path(deep);
    ASSERT_GT(deep.string().size(), 300u);
    List("coins one.wav\n");
    ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
    SoundSystem system(nullptr);
    catalogue.soundSystem = &system;
    EXPECT_EQ(catalogue.LoadSounds(0), 0);
    EXPECT_NE(catalogue.FindSound("coins"), nullptr);
}

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AudioTestEnv.h"
#include "WavBytes.h"
#include "audio/Sound.h"
#include "audio/WavReader.h"
#include "audio/SoundSystem.h"
#include "resources/ResourceCatalogue.h"

namespace fs = std::filesystem;

namespace {

// Runs in a fresh current directory holding the style folder "look" with two sounds, whose
// list each test writes; sounds are made on SDL's dummy driver unless a test says otherwise.
class SoundLoadingTest : public testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        root = fs::path(testing::TempDir()) / ("sound_loading_" + std::to_string(getpid()));
        Enter(root);
        catalogue.styles[0] = "look";
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }

    void Enter(const fs::path& dir) {
        fs::create_directories(dir / "look" / "sounds");
        fs::current_path(dir);
        WriteFile("look/sounds/one.wav", MonoWav({11}));
        WriteFile("look/sounds/two.wav", MonoWav({22}));
    }

    int Load(const std::string& list, const char* driver = "dummy") {
        std::ofstream("look/sounds.txt") << list;
        ScopedEnv env("SDL_AUDIODRIVER", driver);
        system = std::make_unique<SoundSystem>(nullptr);
        catalogue.soundSystem = system.get();
        return catalogue.LoadSounds(0);
    }

    fs::path previous, root;
    std::unique_ptr<SoundSystem> system;
    ResourceCatalogue catalogue{nullptr, nullptr};
};

}  // namespace

TEST_F(SoundLoadingTest, StopsAtTheFirstSoundThatCannotBeMade) {
    EXPECT_EQ(Load("steam one.wav\nrail missing.wav\ntoot two.wav\n"), 1);
    ASSERT_EQ(catalogue.sounds.size(), 1u);
    EXPECT_NE(catalogue.sounds["steam"], nullptr);
}

TEST_F(SoundLoadingTest, ALaterRecordReplacesAnEarlierOneOfTheSameName) {
    EXPECT_EQ(Load("blues one.wav blues two.wav steam one.wav"), 0);
    EXPECT_EQ(catalogue.sounds.size(), 2u);
    // Told apart by the data their readers hold.
    uint8_t first[2];
    uint32_t got = 0;
    CSound* blues = catalogue.FindSound("blues");
    blues->reader->Rewind();
    blues->reader->Read(first, 2, &got);
    EXPECT_EQ(first[0], 22);
}

TEST_F(SoundLoadingTest, NothingLoadsWithoutASoundDevice) {
    EXPECT_EQ(Load("blues one.wav\n", "no-such-driver"), 1);
    EXPECT_TRUE(catalogue.sounds.empty());
    EXPECT_EQ(catalogue.FindSound("blues"), nullptr);
}

TEST_F(SoundLoadingTest, WorksFromADeepCurrentDirectory) {
    fs::path deep = root;
    for (int i = 0; i < 8; ++i) deep /= std::string(40, char('a' + i));
    Enter(deep);
    ASSERT_GT(deep.string().size(), 300u);  // past the 259 characters a fixed buffer would hold
    EXPECT_EQ(Load("coins one.wav\n"), 0);
    EXPECT_NE(catalogue.FindSound("coins"), nullptr);
}

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AudioTestEnv.h"
#include "TempDir.h"
#include "WavBytes.h"
#include "audio/Sound.h"
#include "audio/SoundSystem.h"
#include "audio/WavReader.h"
#include "resources/ResourceCatalogue.h"

namespace {

// Loads the sounds of the style "look" from `dir`, which gets two sounds and the given list;
// sounds are made on SDL's dummy driver unless `driver` says otherwise.
class SoundLoadingTest : public testing::Test {
protected:
    int Load(const std::filesystem::path& dir, const std::string& list, const char* driver = "dummy") {
        std::filesystem::create_directories(dir / "look" / "sounds");
        ScopedCurrentDir inDir(dir);
        WriteFile("look/sounds/one.wav", MonoWav({11}));
        WriteFile("look/sounds/two.wav", MonoWav({22}));
        std::ofstream("look/sounds.txt") << list;
        ScopedEnv env("SDL_AUDIODRIVER", driver);
        system = std::make_unique<SoundSystem>(nullptr);
        catalogue.soundSystem = system.get();
        catalogue.styles[0] = "look";
        return catalogue.LoadSounds(0);
    }
    // The first sample byte of the named sound's data.
    uint8_t FirstByte(const std::string& name) {
        uint8_t first[2] = {};
        uint32_t got = 0;
        CSound* sound = catalogue.FindSound(name);
        sound->reader->Rewind();
        sound->reader->Read(first, 2, &got);
        return first[0];
    }

    TempDir root;
    std::unique_ptr<SoundSystem> system;
    ResourceCatalogue catalogue{nullptr, nullptr};
};

}  // namespace

TEST_F(SoundLoadingTest, StopsAtTheFirstSoundThatCannotBeMade) {
    EXPECT_EQ(Load(root.Path(), "steam one.wav\nrail missing.wav\ntoot two.wav\n"), 1);
    ASSERT_EQ(catalogue.sounds.size(), 1u);
    EXPECT_NE(catalogue.sounds["steam"], nullptr);
}

TEST_F(SoundLoadingTest, ALaterRecordReplacesAnEarlierOneOfTheSameName) {
    EXPECT_EQ(Load(root.Path(), "blues one.wav blues two.wav steam one.wav"), 0);
    EXPECT_EQ(catalogue.sounds.size(), 2u);
    EXPECT_EQ(FirstByte("blues"), 22);  // told apart by the data their readers hold
}

TEST_F(SoundLoadingTest, NothingLoadsWithoutASoundDevice) {
    EXPECT_EQ(Load(root.Path(), "blues one.wav\n", "no-such-driver"), 1);
    EXPECT_TRUE(catalogue.sounds.empty());
}

TEST_F(SoundLoadingTest, ListedPathsMayUseBackslashes) {
    std::filesystem::create_directories(root.Path() / "look" / "sounds" / "sub");
    WriteFile((root.Path() / "look/sounds/sub/three.wav").string(), MonoWav({33}));
    EXPECT_EQ(Load(root.Path(), "coins sub\\three.wav\n"), 0);
    EXPECT_EQ(FirstByte("coins"), 33);
}

TEST_F(SoundLoadingTest, WorksFromADeepCurrentDirectory) {
    std::filesystem::path deep = root.Path();
    for (int i = 0; i < 8; ++i) deep /= std::string(40, char('a' + i));
    ASSERT_GT(deep.string().size(), 300u);  // past the 259 characters a fixed buffer would hold
    EXPECT_EQ(Load(deep, "coins one.wav\n"), 0);
    EXPECT_NE(catalogue.FindSound("coins"), nullptr);
}

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "TempDir.h"
#include "WavBytes.h"
#include "audio/Sound.h"
#include "audio/SoundSystem.h"
#include "audio/WavReader.h"
#include "resources/ResourceCatalogue.h"

// A style's sound list loads up to the first sound that cannot be made; a later record replaces
// an earlier one of the same name; listed paths may use backslashes; nothing loads without a
// sound device; and all of it from a current folder deeper than a fixed path buffer would hold.
TEST(SoundLoading, ListsLoadUntilTheFirstSoundThatCannotBeMade) {
    TempDir root;
    std::filesystem::path deep = root.Path();
    for (int i = 0; i < 8; ++i) deep /= std::string(40, char('a' + i));
    ASSERT_GT(deep.string().size(), 300u);
    std::filesystem::create_directories(deep / "look/sounds/sub");
    ScopedCurrentDir inDeep(deep);
    WriteFile("look/sounds/one.wav", MonoWav({11}));
    WriteFile("look/sounds/two.wav", MonoWav({22}));
    WriteFile("look/sounds/sub/three.wav", MonoWav({33}));
    const struct {
        const char* list;
        const char* driver;
        int status;
        std::map<std::string, int> firstSample;  // of each sound loaded, told apart by their data
    } cases[] = {
        {"steam one.wav\nrail missing.wav\ntoot two.wav\n", "dummy", 1, {{"steam", 11}}},
        {"blues one.wav blues two.wav steam one.wav", "dummy", 0, {{"blues", 22}, {"steam", 11}}},
        {"coins sub\\three.wav\n", "dummy", 0, {{"coins", 33}}},
        {"blues one.wav\n", "no-such-driver", 1, {}},
    };
    for (const auto& c : cases) {
        WriteFile("look/sounds.txt", Bytes(c.list, c.list + strlen(c.list)));
        setenv("SDL_AUDIODRIVER", c.driver, 1);
        SoundSystem system(nullptr);
        ResourceCatalogue catalogue(nullptr, nullptr);
        catalogue.soundSystem = &system;
        catalogue.styles[0] = "look";
        EXPECT_EQ(catalogue.LoadSounds(0), c.status) << c.list;
        std::map<std::string, int> got;
        for (const auto& [name, sound] : catalogue.sounds) {
            int16_t first = -1;
            uint32_t read = 0;
            if (sound && sound->reader->Rewind() == 0) sound->reader->Read(reinterpret_cast<uint8_t*>(&first), 2, &read);
            got[name] = first;
        }
        EXPECT_EQ(got, c.firstSample) << c.list;
    }
}

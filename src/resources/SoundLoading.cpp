#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "audio/Sound.h"
#include "audio/SoundSystem.h"
#include "platform/LoadReport.h"
#include "resources/ResourceCatalogue.h"

int ResourceCatalogue::LoadSounds(int32_t style) {
    // The WAV files are named by full path from the current directory, whatever its length.
    std::error_code error;
    const std::string directory = std::filesystem::current_path(error).string();
    if (error) return 1;
    const std::string base = directory + "/" + StylePath(style, "");
    std::ifstream list(base + "sounds.txt");
    if (!list) LoadReport(base + "sounds.txt", "cannot be opened");
    std::string name, file;
    while (list >> name >> file) {
        const std::string path = StylePath(style, "sounds/" + file).insert(0, directory + "/");
        CSound* sound = nullptr;
        // The list stops at the first sound that cannot be made: without a sound device that is
        // the first one, and the game runs silently.
        if (!soundSystem || soundSystem->CreateSound(&sound, path.c_str()) != 0) return 1;
        sounds[name].reset(sound);
    }
    return 0;
}

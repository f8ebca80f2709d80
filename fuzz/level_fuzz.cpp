// Level files as the game loads them, and as the level checker reads them.
#include <string_view>

#include "FuzzInput.h"
#include "authoring/LevelCheck.h"
#include "level/Level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Level level(nullptr, nullptr, InputFile(data, size, "level.txt"));
    static const ModelList models{"models.txt", {"rails", "railscorner", "station"}, ""};
    CheckLevelText(std::string_view(reinterpret_cast<const char*>(data), size), &models);
    return 0;
}

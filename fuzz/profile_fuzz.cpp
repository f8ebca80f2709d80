// The player's files as the game reads them at start-up and when a run is watched: the input is
// tried as progress.json, as settings.json and as a recorded run.
#include <string>
#include <vector>

#include "profile/Progress.h"
#include "profile/RunScript.h"
#include "profile/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string why;
    Progress progress;
    if (ProgressFromJson(input, &progress, &why)) {
        // What is read is written back and read again to the same records.
        Progress again;
        if (!ProgressFromJson(ProgressToJson(progress), &again, &why) || again.levels.size() != progress.levels.size())
            __builtin_trap();
    }
    Settings settings;
    SettingsFromJson(input, &settings, &why);
    std::vector<RunPart> parts;
    ReadRunParts(input, &parts, &why);
    return 0;
}

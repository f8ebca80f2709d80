#pragma once
#include <cstdint>
#include <string>

// The player's settings, kept from one game to the next. Volumes are percentages in steps of 10.
struct Settings {
    int32_t musicVolume = 100;
    int32_t effectsVolume = 100;
    bool fullScreen = true;
    bool musicOn = true;
};

// A volume moved by `steps` steps of 10 %, kept within 0..100.
int32_t StepVolume(int32_t volume, int32_t steps);

// The settings to keep after a change on a screen that showed `shown`, full screen as the window
// is (`windowFullScreen`): a full screen that differs from the window is the player's choice; one
// that matches it leaves the stored choice, which --window may have overridden for this run.
Settings SettingsToKeep(const Settings& stored, Settings shown, bool windowFullScreen);

// The settings as the text of settings.json (version 1).
std::string SettingsToJson(const Settings& settings);

// Reads the text of settings.json. False, with the reason in *why, when it is not JSON, not of the
// expected shape (each key present with its type, volumes 0..100 in steps of 10), or newer.
bool SettingsFromJson(const std::string& text, Settings* settings, std::string* why);

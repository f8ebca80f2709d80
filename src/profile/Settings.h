#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "profile/Controls.h"

// How the main loop paces its frames: as fast as it can without waiting for the display (Fast),
// waiting for the display's refresh when presenting (Display), or as Display and drawing nothing
// while the picture would not change, waiting for input meanwhile (Rest).
enum class FramePacing { Fast, Display, Rest };

// "fast", "display" or "rest".
const char* PacingName(FramePacing pacing);
// Reads one of those names; false for any other text.
bool ParsePacing(const std::string& text, FramePacing* pacing);

// The player's settings, kept from one game to the next. Volumes are percentages in steps of 10.
struct Settings {
    int32_t musicVolume = 100;
    int32_t effectsVolume = 100;
    bool fullScreen = true;
    bool musicOn = true;
    FramePacing pacing = FramePacing::Fast;
    Controls controls;
    // What reading the file passed over (a key with no such name, …), one line each, for the
    // reader to say once; never written.
    std::vector<std::string> notes;
};

// A volume moved by `steps` steps of 10 %, kept within 0..100.
int32_t StepVolume(int32_t volume, int32_t steps);

// The settings to keep after a change on a screen that showed `shown`, full screen as the window
// is (`windowFullScreen`) and the pacing as this run paces (`runPacing`): a full screen or pacing
// that differs from the run's is the player's choice; one that matches it leaves the stored
// choice, which --window or --pacing may have overridden for this run.
Settings SettingsToKeep(const Settings& stored, Settings shown, bool windowFullScreen, FramePacing runPacing);

// The settings as the text of settings.json (version 1).
std::string SettingsToJson(const Settings& settings);

// Reads the text of settings.json. False, with the reason in *why, when it is not JSON, not of the
// expected shape (each key present with its type, volumes 0..100 in steps of 10; "pacing", one of
// the pacing names, may be absent and is then "fast"), or newer. "controls" may be absent (every
// action keeps its default key); an action in it given a key of no known name, or one that another
// action already takes there, keeps its default key and gets a line in `notes`.
bool SettingsFromJson(const std::string& text, Settings* settings, std::string* why);

#include "profile/Settings.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "platform/KeyNames.h"

namespace {
using Json = nlohmann::ordered_json;
constexpr int kVersion = 1;

bool ReadVolume(const Json& document, const char* key, int32_t* volume) {
    if (!document.contains(key) || !document[key].is_number_integer()) return false;
    const int64_t value = document[key].get<int64_t>();
    if (value < 0 || value > 100 || value % 10 != 0) return false;
    *volume = static_cast<int32_t>(value);
    return true;
}

bool ReadFlag(const Json& document, const char* key, bool* flag) {
    if (!document.contains(key) || !document[key].is_boolean()) return false;
    *flag = document[key].get<bool>();
    return true;
}
// Reads "controls" into `read`: an action given a key that has no name, or one another action
// already takes on its screens, keeps its default key, with a note. Unknown actions are passed over
// with a note too (a newer game's, or a slip of the pen).
void ReadControls(const Json& controls, Settings* read) {
    if (!controls.is_object()) {
        read->notes.push_back("\"controls\" is not an object of action names and keys: the default keys are kept");
        return;
    }
    for (const auto& [name, value] : controls.items()) {
        int action = 0;
        while (action < kActionCount && name != ActionName(static_cast<Action>(action))) ++action;
        if (action == kActionCount) {
            read->notes.push_back("\"controls\": no action is named \"" + name + "\"");
            continue;
        }
        const Action which = static_cast<Action>(action);
        const int key = value.is_string() ? KeyFromName(value.get<std::string>()) : 0;
        const std::string why = key == 0 ? "no key is named " + value.dump() : WhyNotKey(read->controls, which, key);
        if (!why.empty()) {
            read->notes.push_back("\"controls\": \"" + name + "\": " + why + "; " + KeyName(DefaultKey(which)) + " kept");
            continue;
        }
        read->controls.keys[static_cast<size_t>(action)] = key;
    }
}
}  // namespace

const char* PacingName(FramePacing pacing) {
    switch (pacing) {
        case FramePacing::Display: return "display";
        case FramePacing::Rest: return "rest";
        case FramePacing::Fast: break;
    }
    return "fast";
}

bool ParsePacing(const std::string& text, FramePacing* pacing) {
    for (FramePacing p : {FramePacing::Fast, FramePacing::Display, FramePacing::Rest}) {
        if (text == PacingName(p)) {
            *pacing = p;
            return true;
        }
    }
    return false;
}

int32_t StepVolume(int32_t volume, int32_t steps) { return std::clamp(volume + 10 * steps, 0, 100); }

Settings SettingsToKeep(const Settings& stored, Settings shown, bool windowFullScreen, FramePacing runPacing) {
    if (shown.fullScreen == windowFullScreen) shown.fullScreen = stored.fullScreen;
    if (shown.pacing == runPacing) shown.pacing = stored.pacing;
    return shown;
}

std::string SettingsToJson(const Settings& s) {
    Json document{{"version", kVersion},
                  {"musicVolume", s.musicVolume},
                  {"effectsVolume", s.effectsVolume},
                  {"fullScreen", s.fullScreen},
                  {"music", s.musicOn},
                  {"pacing", PacingName(s.pacing)}};
    // Only the keys the player changed: a file of default keys reads the same in any version.
    Json controls = Json::object();
    for (int i = 0; i < kActionCount; ++i) {
        const Action action = static_cast<Action>(i);
        if (s.controls.Key(action) != DefaultKey(action)) controls[ActionName(action)] = KeyName(s.controls.Key(action));
    }
    if (!controls.empty()) document["controls"] = controls;
    return document.dump(2) + "\n";
}

bool SettingsFromJson(const std::string& text, Settings* settings, std::string* why) {
    const Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        *why = "not JSON";
        return false;
    }
    if (!document.is_object() || !document.contains("version") || !document["version"].is_number_integer()) {
        *why = "no version number";
        return false;
    }
    const int64_t version = document["version"].get<int64_t>();
    if (version > kVersion || version < 1) {
        *why = "version " + std::to_string(version) + ", this game reads version " + std::to_string(kVersion);
        return false;
    }
    Settings read;
    if (!ReadVolume(document, "musicVolume", &read.musicVolume) ||
        !ReadVolume(document, "effectsVolume", &read.effectsVolume) ||
        !ReadFlag(document, "fullScreen", &read.fullScreen) || !ReadFlag(document, "music", &read.musicOn)) {
        *why = "musicVolume and effectsVolume (0 to 100 in steps of 10), fullScreen and music (true or false) expected";
        return false;
    }
    // Files written before the pacing was a setting have none: they pace as the game always did.
    if (document.contains("pacing") &&
        (!document["pacing"].is_string() || !ParsePacing(document["pacing"].get<std::string>(), &read.pacing))) {
        *why = "pacing is fast, display or rest";
        return false;
    }
    if (document.contains("controls")) ReadControls(document["controls"], &read);
    *settings = read;
    return true;
}

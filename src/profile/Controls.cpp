#include "profile/Controls.h"

#include "platform/KeyNames.h"
#include "platform/Keyboard.h"

namespace {
// The screens a key acts on, as bits.
enum : uint32_t {
    kTitle = 1,         // the title menu
    kIntroduction = 2,  // the introduction
    kOutcome = 4,       // level complete and game over
    kPlay = 8,          // play, paused or not
    kPages = 16,        // the level list, the settings and the controls
    kWatching = 32,     // watching a run
    kEverywhere = 63,
};

struct ActionInfo {
    const char* name;
    const char* label;
    int key;
    uint32_t screens;
};

constexpr ActionInfo kActions[kActionCount] = {
    {"pause", "Pause", kVkPause, kPlay | kWatching},
    {"grid", "Floor grid", 'G', kPlay},
    {"pointer", "Pointer coordinates", 'V', kPlay},
    {"music", "Music on or off", 'M', kEverywhere},
    {"skip", "Skip the level", kVkEnd, kPlay},
    {"saveCamera", "Save the camera", 'C', kPlay},
    {"walkForward", "Walk forward", 'W', kPlay},
    {"walkBack", "Walk back", 'S', kPlay},
    {"strafeLeft", "Strafe left", 'A', kPlay},
    {"strafeRight", "Strafe right", 'D', kPlay},
    {"flyUp", "Fly up", 'R', kPlay},
    {"flyDown", "Fly down", 'F', kPlay},
    {"pitchUp", "Pitch up", kVkUp, kPlay},
    {"pitchDown", "Pitch down", kVkDown, kPlay},
    {"yawLeft", "Yaw left", kVkLeft, kPlay},
    {"yawRight", "Yaw right", kVkRight, kPlay},
    {"rollLeft", "Roll left", 'N', kPlay},
    {"rollRight", "Roll right", 'M', kPlay},
    {"back", "Back", kVkEscape, kEverywhere},
    {"levelList", "Level list", 'L', kTitle},
    {"settings", "Settings", 'O', kTitle},
    {"fullScreen", "Full screen", kVkF11, kEverywhere},
    {"hint", "Hint", 'H', kPlay},
};

// Keys and pad buttons the screens keep for themselves: no action may take them where they act.
struct KeptKey {
    int key;
    uint32_t screens;
    const char* does;  // what it does there
};
constexpr KeptKey kKeptKeys[] = {
    {kVkSpace, kTitle | kOutcome | kPages, "plays, goes on or chooses"},
    {kVkF1, kTitle, "opens the introduction"},
    {kVkReturn, kPages, "chooses"},
    {kVkUp, kPages, "chooses"},
    {kVkDown, kPages, "chooses"},
    {kVkLeft, kPages, "changes"},
    {kVkRight, kPages, "changes"},
    {kVkBack, kPages, "deletes in the seed field"},
    {'W', kPages, "watches a run"},
    {kPadKeyFirst + 0, kEverywhere, "fires, plays or chooses"},
    {kPadKeyFirst + 1, kEverywhere, "goes back"},
    {kPadKeyFirst + 2, kTitle, "opens the level list"},
    {kPadKeyFirst + 3, kTitle | kPages, "opens the introduction or watches a run"},
    {kPadKeyFirst + 4, kEverywhere, "goes back"},
    {kPadKeyFirst + 6, kEverywhere, "pauses or plays"},
    {kPadKeyFirst + 9, kPlay, "aims at the previous target"},
    {kPadKeyFirst + 10, kPlay | kTitle, "aims at the next target or opens the settings"},
    {kPadKeyFirst + 11, kPages, "chooses"},
    {kPadKeyFirst + 12, kPages, "chooses"},
    {kPadKeyFirst + 13, kPages, "changes"},
    {kPadKeyFirst + 14, kPages, "changes"},
};

const ActionInfo& Info(Action action) { return kActions[static_cast<size_t>(action)]; }
}  // namespace

const char* ActionName(Action action) { return Info(action).name; }
const char* ActionLabel(Action action) { return Info(action).label; }
int DefaultKey(Action action) { return Info(action).key; }

Controls::Controls() {
    for (int i = 0; i < kActionCount; ++i) keys[static_cast<size_t>(i)] = kActions[i].key;
}

std::string WhyNotKey(const Controls& controls, Action action, int key) {
    const ActionInfo& mine = Info(action);
    for (const KeptKey& kept : kKeptKeys)
        if (kept.key == key && (kept.screens & mine.screens) != 0) return KeyName(key) + " already " + kept.does + " there";
    for (int i = 0; i < kActionCount; ++i) {
        const Action other = static_cast<Action>(i);
        if (other == action || controls.Key(other) != key || (kActions[i].screens & mine.screens) == 0) continue;
        if (kActions[i].key == key && mine.key == key) continue;  // shared by default
        return KeyName(key) + " is already " + kActions[i].label + " there";
    }
    return "";
}

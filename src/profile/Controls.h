#pragma once
#include <array>
#include <cstdint>
#include <string>

// What the player can give a key of their own: the game's keyed actions and the screens'.
enum class Action {
    Pause, Grid, Pointer, Music, Skip, SaveCamera,
    WalkForward, WalkBack, StrafeLeft, StrafeRight, FlyUp, FlyDown,
    PitchUp, PitchDown, YawLeft, YawRight, RollLeft, RollRight,
    Back, LevelList, Settings, FullScreen, Hint,
    Count
};
constexpr int kActionCount = static_cast<int>(Action::Count);

// The action's name in settings.json ("pause", "walkForward", …).
const char* ActionName(Action action);
// The action as a player reads it ("Pause", "Walk forward", …).
const char* ActionLabel(Action action);
// The key the action has until the player gives it another (a code of platform/Keyboard.h).
int DefaultKey(Action action);

// The key (or pad button, see platform/KeyNames.h) of each action.
struct Controls {
    Controls();
    std::array<int, kActionCount> keys{};

    int Key(Action action) const { return keys[static_cast<size_t>(action)]; }
    bool operator==(const Controls& other) const { return keys == other.keys; }
};

// Why `key` cannot be `action`'s: another action, or a key a screen keeps for itself, that acts on
// a screen where `action` acts too ("F is already Fly down there"); "" when it can. Keys
// that two actions share by default (M: music and roll) stay shareable.
std::string WhyNotKey(const Controls& controls, Action action, int key);

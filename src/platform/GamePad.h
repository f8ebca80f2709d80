#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PadScript.h"

// The buttons of a pad in SDL's game-controller order (SDL's names: a, b, x, y, back, guide,
// start, leftstick, rightstick, leftshoulder, rightshoulder, dpup, dpdown, dpleft, dpright).
enum class PadButton { A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
                       DpadUp, DpadDown, DpadLeft, DpadRight, Count };
// The axes in SDL's order (leftx, lefty, rightx, righty, lefttrigger, righttrigger).
enum class PadAxis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Count };
constexpr int kPadButtonCount = static_cast<int>(PadButton::Count);
constexpr int kPadAxisCount = static_cast<int>(PadAxis::Count);

// The leading pad as read once a frame: not connected when there is none (all released).
struct PadState {
    bool connected = false;
    std::array<bool, kPadButtonCount> buttons{};
    std::array<float, kPadAxisCount> axes{};  // sticks -1..1 (x right, y down), triggers 0..1
    bool Down(PadButton b) const { return buttons[static_cast<int>(b)]; }
    float Axis(PadAxis a) const { return axes[static_cast<int>(a)]; }
};

// One frame's reading: the leading pad, and whether the pad that led was pulled out since the
// last reading (another one, if any, leads from now on).
struct PadSnapshot {
    PadState lead;
    bool leadPulledOut = false;
    std::vector<PadScriptEvent> played;  // the pad script's events played for this reading
};

// Opens the pads plugged in now and later (up to 16; the last one used leads), with SDL's own
// mappings, SDL_GAMECONTROLLERCONFIG, and the mappings of `mappingFile` when it exists (a line SDL
// refuses is named once on stderr and skipped). Call after the window is made.
void OpenGamePads(const std::string& mappingFile);
// Plays `script` on a virtual pad attached now; false with the reason in *why when none can be.
bool StartPadScript(std::vector<PadScriptEvent> script, std::string* why);
// Reads the pads for a frame `dt` seconds after the previous one (a playing script moves on first).
PadSnapshot ReadGamePads(double dt);
// Closes every pad (and the script's virtual one).
void CloseGamePads();

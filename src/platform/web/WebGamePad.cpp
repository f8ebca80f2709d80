// The browser's pads through the Gamepad API, read once a frame: pads in the "standard" layout
// (others are left out, their buttons have no agreed meaning), up to 16, the last one used leads.
// A browser shows a pad only after its first press; that press is read with it, so it acts.
// Pad scripts are the desktop's (SDL's virtual joystick): the page plays none.
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/GamePad.h"

namespace {
constexpr int kMostPads = 16;
// The standard layout's button for each PadButton, in PadButton's order.
constexpr int kStandardButton[kPadButtonCount] = {0, 1, 2, 3, 8, 16, 9, 10, 11, 4, 5, 12, 13, 14, 15};
// The standard layout's triggers are the analog buttons 6 (left) and 7 (right).
constexpr int kLeftTriggerButton = 6;
constexpr int kRightTriggerButton = 7;
// A stick pushed this far makes its pad the leading one, like a button pressed.
constexpr double kLeadingPush = 0.5;

struct WebPads {
    bool open = false;
    int lead = -1;
    std::array<PadState, kMostPads> last{};
};

WebPads& ThePads() {
    static WebPads pads;
    return pads;
}

// The pad at `index` in PadState's terms; not connected when there is none in the standard layout.
PadState ReadPad(int index) {
    PadState state;
    EmscriptenGamepadEvent pad{};
    if (emscripten_get_gamepad_status(index, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected) return state;
    if (std::strcmp(pad.mapping, "standard") != 0) return state;
    state.connected = true;
    for (int b = 0; b < kPadButtonCount; ++b)
        state.buttons[b] = kStandardButton[b] < pad.numButtons && pad.digitalButton[kStandardButton[b]];
    for (int a = 0; a < 4 && a < pad.numAxes; ++a) state.axes[a] = static_cast<float>(std::clamp(pad.axis[a], -1.0, 1.0));
    auto analog = [&](int b) { return b < pad.numButtons ? static_cast<float>(std::clamp(pad.analogButton[b], 0.0, 1.0)) : 0.0f; };
    state.axes[static_cast<int>(PadAxis::LeftTrigger)] = analog(kLeftTriggerButton);
    state.axes[static_cast<int>(PadAxis::RightTrigger)] = analog(kRightTriggerButton);
    return state;
}

// True when the pad went from `before` to `now` by a press or a push: it is in use.
bool Used(const PadState& before, const PadState& now) {
    for (int b = 0; b < kPadButtonCount; ++b)
        if (now.buttons[b] && !before.buttons[b]) return true;
    for (int a = 0; a < 4; ++a)
        if (std::fabs(now.axes[a]) > kLeadingPush && std::fabs(before.axes[a]) <= kLeadingPush) return true;
    return false;
}
}  // namespace

void OpenGamePads(const std::string&) {
    ThePads().open = emscripten_sample_gamepad_data() == EMSCRIPTEN_RESULT_SUCCESS;
}

bool StartPadScript(std::vector<PadScriptEvent>, std::string* why) {
    *why = "the browser plays no pad scripts";
    return false;
}

PadSnapshot ReadGamePads(double) {
    WebPads& pads = ThePads();
    PadSnapshot snapshot;
    if (!pads.open || emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return snapshot;
    const int count = std::min(emscripten_get_num_gamepads(), kMostPads);
    for (int i = 0; i < kMostPads; ++i) {
        const PadState now = i < count ? ReadPad(i) : PadState{};
        if (now.connected && (Used(pads.last[i], now) || pads.lead < 0)) pads.lead = i;
        if (!now.connected && i == pads.lead) {
            snapshot.leadPulledOut = pads.last[i].connected;
            pads.lead = -1;
        }
        pads.last[i] = now;
    }
    // Pulled out: another pad still there leads.
    for (int i = 0; i < kMostPads && pads.lead < 0; ++i)
        if (pads.last[i].connected) pads.lead = i;
    if (pads.lead >= 0) snapshot.lead = pads.last[pads.lead];
    return snapshot;
}

void CloseGamePads() { ThePads().open = false; }

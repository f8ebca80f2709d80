#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One line of a pad script: at `at` seconds of game time, button `control` goes down (value 1)
// or up (0), or axis `control` takes `value` (-1..1).
struct PadScriptEvent {
    double at = 0.0;
    bool button = true;
    int control = 0;  // a PadButton or a PadAxis
    float value = 0.0f;
};

// The largest script file read (bytes), and the most events a script may hold.
constexpr size_t kPadScriptMaxBytes = 1 << 20;
constexpr size_t kPadScriptMaxEvents = 100000;

// The pad button or axis SDL names `name` ("a", "dpup", "leftx", "righttrigger"); -1 when none.
int PadButtonNamed(std::string_view name);
int PadAxisNamed(std::string_view name);
// The event as its script line says it, "button a down" or "axis leftx -0.5", without the time.
std::string PadScriptEventText(const PadScriptEvent& event);

// Reads a pad script: one event a line, "at SECONDS button NAME down|up" or "at SECONDS axis NAME
// VALUE", times never going back; blank lines and lines starting with # are skipped. False with
// the 1-based line and the reason when the text is not that or holds more than kPadScriptMaxEvents.
bool ParsePadScript(std::string_view text, std::vector<PadScriptEvent>* events, int* line, std::string* why);

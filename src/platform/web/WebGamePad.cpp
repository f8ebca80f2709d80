// The browser has no pads yet: none is ever connected, and no script can be played.
#include "platform/GamePad.h"

void OpenGamePads(const std::string&) {}

bool StartPadScript(std::vector<PadScriptEvent>, std::string* why) {
    *why = "the browser plays no pad scripts";
    return false;
}

PadSnapshot ReadGamePads(double) { return {}; }

void CloseGamePads() {}

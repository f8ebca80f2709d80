#include "platform/KeyNames.h"

#include "platform/GamePad.h"
#include "platform/Keyboard.h"

namespace {
struct NamedKey {
    int vk;
    const char* name;
};
// The keys with a name of more than their one letter, digit or F-number.
constexpr NamedKey kNamedKeys[] = {
    {kVkEscape, "Escape"}, {kVkSpace, "Space"},    {kVkPause, "Pause"},   {kVkEnd, "End"},     {0x24, "Home"},
    {kVkLeft, "Left"},     {kVkUp, "Up"},          {kVkRight, "Right"},   {kVkDown, "Down"},   {kVkReturn, "Return"},
    {kVkTab, "Tab"},       {kVkBack, "Backspace"}, {kVkDelete, "Delete"}, {kVkPlus, "="},      {kVkMinus, "-"},
};
constexpr const char kPadPrefix[] = "pad:";
// The pad's buttons by their own names, in PadButton's order.
constexpr const char* kPadButtonNames[] = {"a",          "b",           "x",           "y",      "back",
                                           "guide",      "start",       "leftstick",   "rightstick",
                                           "leftshoulder", "rightshoulder", "dpup",    "dpdown", "dpleft",
                                           "dpright"};
static_assert(sizeof kPadButtonNames / sizeof kPadButtonNames[0] == kPadButtonCount, "a name for each button");
}  // namespace

int PadButtonKey(int button) { return button >= 0 && button < kPadButtonCount ? kPadKeyFirst + button : 0; }

std::string KeyName(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
    if (vk >= kVkF1 && vk < kVkF1 + 12) return "F" + std::to_string(vk - kVkF1 + 1);
    if (vk >= kPadKeyFirst && vk < kPadKeyFirst + kPadButtonCount) return kPadPrefix + std::string(kPadButtonNames[vk - kPadKeyFirst]);
    for (const NamedKey& key : kNamedKeys)
        if (key.vk == vk) return key.name;
    return "";
}

int KeyFromName(const std::string& name) {
    // Every code has one name, so the name of each code is the whole table of names.
    for (int vk = 1; vk < 256; ++vk)
        if (!name.empty() && KeyName(vk) == name) return vk;
    return 0;
}

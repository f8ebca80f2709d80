#pragma once
#include <string>

// The names keys and pad buttons go by in the player's settings: a key by the name the system's
// keyboard layer gives it ("P", "Escape", "Pause", "F11", "Up", "Return", "="), a pad button as
// "pad:" and the button's own name ("pad:a", "pad:start", "pad:leftshoulder").
//
// A pad button reaches the game as a key code of its own, above every keyboard key's, so an
// action bound to a button is polled and latched as one bound to a key.

// The first code of the pad's buttons; button i (in the order of kPadButtonNames) is kPadKeyFirst + i.
constexpr int kPadKeyFirst = 0xE0;
// The pad's buttons by their names, in the pad layer's order.
constexpr const char* kPadButtonNames[] = {"a",          "b",           "x",         "y",           "back",
                                           "guide",      "start",       "leftstick", "rightstick",  "leftshoulder",
                                           "rightshoulder", "dpup",     "dpdown",    "dpleft",      "dpright",
                                           "misc1",      "paddle1",     "paddle2",   "paddle3",     "paddle4",
                                           "touchpad"};
constexpr int kPadButtonCount = static_cast<int>(sizeof kPadButtonNames / sizeof kPadButtonNames[0]);

// The key code of pad button `button` (an index into kPadButtonNames); 0 when out of range.
int PadButtonKey(int button);

// The name of key code `vk` (a keyboard key or a pad button); "" for a code the game reads no key as.
std::string KeyName(int vk);

// The key code named `name` (exactly as KeyName writes it); 0 for no key of that name.
int KeyFromName(const std::string& name);

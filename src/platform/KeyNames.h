#pragma once
#include <string>

// The names keys and pad buttons go by in the player's settings: a key by the name the system's
// keyboard layer gives it ("P", "Escape", "Pause", "F11", "Up", "Return", "="), a pad button as
// "pad:" and the button's own name ("pad:a", "pad:start", "pad:leftshoulder").
//
// A pad button reaches the game as a key code of its own, above every keyboard key's, so an
// action bound to a button is polled and latched as one bound to a key.

// The first code of the pad's buttons: button b (platform/GamePad.h's PadButton) is kPadKeyFirst + b.
constexpr int kPadKeyFirst = 0xE0;

// The key code of pad button `button` (a PadButton as a number); 0 when out of range.
int PadButtonKey(int button);

// The name of key code `vk` (a keyboard key or a pad button); "" for a code the game reads no key as.
std::string KeyName(int vk);

// The key code named `name` (exactly as KeyName writes it); 0 for no key of that name.
int KeyFromName(const std::string& name);

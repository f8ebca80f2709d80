#pragma once
#include <cstdint>
#include <string>

#include "profile/Settings.h"

class ScreenKeys;

// The settings screen: music volume, effects volume, full screen, music on or off. Up and Down
// choose a line, Left and Right change it (volumes in steps of 10 %), Escape goes back. Every
// change is applied and saved at once.

// The lines of the screen, in order.
enum class SettingLine { MusicVolume, EffectsVolume, FullScreen, Music, Count };

// The settings after Left (steps -1) or Right (+1) on `line`: a volume moves by 10 % within
// 0..100, a choice flips.
Settings ChangeSetting(Settings settings, SettingLine line, int32_t steps);

// The text of a line, e.g. "Music volume     50 %".
std::string SettingText(const Settings& settings, SettingLine line);

void OpenSettings();
// Acts on this frame's keys; true when Escape asks to go back.
bool SettingsKeys(const ScreenKeys& keys);
// The mouse at (x, y): a move chooses the line under it, a click changes it as Right does.
void SettingsMouse(bool click, int32_t x, int32_t y);
void DrawSettings();

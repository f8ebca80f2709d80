#pragma once
#include <cstdint>
#include <string>

#include "profile/Settings.h"
#include "screens/Screen.h"
#include "screens/ScreenLook.h"

// The lines of the settings screen, in order.
enum class SettingLine { MusicVolume, EffectsVolume, FullScreen, Music, Pacing, Controls, Count };

// The settings after Left (steps -1) or Right (+1) on `line`: a volume moves by 10 % within
// 0..100, a choice flips, the frame pacing steps through fast, display and rest (round); the
// controls line opens its own page and changes nothing here.
Settings ChangeSetting(Settings settings, SettingLine line, int32_t steps);

// The text of a line, e.g. "Music volume:  50 %".
std::string SettingText(const Settings& settings, SettingLine line);

// The settings screen: music volume, effects volume, full screen, music on or off, frame pacing,
// and the line to the controls page. Up and Down (or the pointer) choose a line, Left and Right (or
// a click, as Right) change it, Right, Return or a click on the controls line opens their page, the
// back key goes back. Every change is applied and saved at once.
class SettingsScreen : public Screen {
public:
    SettingsScreen() { look_.Measure(); }
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    TouchButtonSet TouchButtons() const override { return TouchButtonSet::Back; }

    SettingLine chosen() const { return static_cast<SettingLine>(chosen_); }

private:
    // The line under pixel (x, y); -1 when none.
    int32_t LineAt(int32_t x, int32_t y) const;
    Rect LineRect(int32_t line) const;
    void Change(int32_t steps);

    int32_t chosen_ = 0;
    int32_t hovered_ = -1;
    ScreenLook look_;
};

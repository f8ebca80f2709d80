#include "shell/SettingsScreen.h"

#include "platform/Keyboard.h"
#include "shell/ProfileSession.h"
#include "shell/ScreenDrawing.h"
#include "shell/ScreenKeys.h"
#include "state/GameState.h"

namespace {
constexpr int32_t kLineCount = static_cast<int32_t>(SettingLine::Count);
constexpr int32_t kTop = 120;
constexpr int32_t kLineHeight = 50;
constexpr uint32_t kChosenLine = 0xFFBFD7FFu;
constexpr uint32_t kText = 0xFF000000u;

int32_t chosen = 0;

void Change(int32_t steps) {
    ChangeSettings(ChangeSetting(SettingsAsShown(), static_cast<SettingLine>(chosen), steps));
}
}  // namespace

Settings ChangeSetting(Settings settings, SettingLine line, int32_t steps) {
    switch (line) {
        case SettingLine::MusicVolume: settings.musicVolume = StepVolume(settings.musicVolume, steps); break;
        case SettingLine::EffectsVolume: settings.effectsVolume = StepVolume(settings.effectsVolume, steps); break;
        case SettingLine::FullScreen: settings.fullScreen = !settings.fullScreen; break;
        case SettingLine::Music: settings.musicOn = !settings.musicOn; break;
        case SettingLine::Count: break;
    }
    return settings;
}

std::string SettingText(const Settings& s, SettingLine line) {
    switch (line) {
        case SettingLine::MusicVolume: return "Music volume:  " + std::to_string(s.musicVolume) + " %";
        case SettingLine::EffectsVolume: return "Effects volume:  " + std::to_string(s.effectsVolume) + " %";
        case SettingLine::FullScreen: return std::string("Screen:  ") + (s.fullScreen ? "full screen" : "window");
        case SettingLine::Music: return std::string("Music:  ") + (s.musicOn ? "on" : "off");
        case SettingLine::Count: break;
    }
    return {};
}

void OpenSettings() { chosen = 0; }

bool SettingsKeys(const ScreenKeys& keys) {
    if (keys.Went(kVkUp) && chosen > 0) --chosen;
    if (keys.Went(kVkDown) && chosen < kLineCount - 1) ++chosen;
    if (keys.Went(kVkLeft)) Change(-1);
    if (keys.Went(kVkRight)) Change(1);
    return keys.Released(kVkEscape);
}

void SettingsMouse(bool click, int32_t, int32_t y) {
    if (y < kTop || y >= kTop + kLineCount * kLineHeight) return;
    chosen = (y - kTop) / kLineHeight;
    if (click) Change(1);
}

void DrawSettings() {
    RenderDevice* device = g_device;
    if (!device) return;
    const Viewport whole = WholeScreen();
    RestoreWholeScreen();
    device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFFFFFFFFu, 1.0f, 0);
    device->BeginScene();
    DrawScreenText("Settings", 20, 8, kText);
    DrawScreenText("Up, Down: choose    Left, Right: change    Escape: back", 20, 36, kText);
    const Settings settings = SettingsAsShown();
    for (int32_t line = 0; line < kLineCount; ++line) {
        const int32_t top = kTop + line * kLineHeight;
        if (line == chosen) FillRect(Rect{0, top, static_cast<int32_t>(whole.width), top + kLineHeight}, kChosenLine);
        DrawScreenText(SettingText(settings, static_cast<SettingLine>(line)), 60, top + 12, kText);
    }
    device->EndScene();
    device->Present();
}

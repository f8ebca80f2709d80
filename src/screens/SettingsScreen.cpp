#include "screens/SettingsScreen.h"

#include "platform/Keyboard.h"
#include "profile/ProfileSession.h"
#include "screens/ControlsScreen.h"
#include "screens/InputPath.h"

namespace {
constexpr int32_t kLineCount = static_cast<int32_t>(SettingLine::Count);
constexpr int32_t kLineHeight = 64;  // at scale 1

// How the pacing reads on the screen: what the player gets from it.
const char* PacingText(FramePacing pacing) {
    switch (pacing) {
        case FramePacing::Display: return "with the display";
        case FramePacing::Rest: return "rest when still";
        case FramePacing::Fast: break;
    }
    return "as fast as possible";
}
}  // namespace

Settings ChangeSetting(Settings settings, SettingLine line, int32_t steps) {
    switch (line) {
        case SettingLine::MusicVolume: settings.musicVolume = StepVolume(settings.musicVolume, steps); break;
        case SettingLine::EffectsVolume: settings.effectsVolume = StepVolume(settings.effectsVolume, steps); break;
        case SettingLine::FullScreen: settings.fullScreen = !settings.fullScreen; break;
        case SettingLine::Music: settings.musicOn = !settings.musicOn; break;
        case SettingLine::Pacing: {
            const int32_t kinds = 3;
            const int32_t next = ((static_cast<int32_t>(settings.pacing) + steps) % kinds + kinds) % kinds;
            settings.pacing = static_cast<FramePacing>(next);
            break;
        }
        case SettingLine::Controls:
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
        case SettingLine::Pacing: return std::string("Frames:  ") + PacingText(s.pacing);
        case SettingLine::Controls: return "Controls:  keys and pad buttons";
        case SettingLine::Count: break;
    }
    return {};
}

void SettingsScreen::Change(int32_t steps) {
    ChangeSettings(ChangeSetting(SettingsAsShown(), static_cast<SettingLine>(chosen_), steps));
}

Rect SettingsScreen::LineRect(int32_t line) const {
    const Rect body = look_.Body();
    const int32_t top = body.top + look_.Scaled(20) + line * look_.Scaled(kLineHeight);
    return Rect{body.left, top, body.right, top + look_.Scaled(kLineHeight)};
}

int32_t SettingsScreen::LineAt(int32_t x, int32_t y) const {
    for (int32_t line = 0; line < kLineCount; ++line) {
        const Rect r = LineRect(line);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return line;
    }
    return -1;
}

ScreenChange SettingsScreen::Update(ScreenFrame& frame) {
    const InputPath& input = frame.input;
    ToggleMusicOnM(input);
    const auto onControls = [this] { return static_cast<SettingLine>(chosen_) == SettingLine::Controls; };
    for (const InputEvent& event : input.Events()) {
        switch (event.kind) {
            case InputEvent::Kind::KeyDown:
                if (event.key == kVkUp && chosen_ > 0) --chosen_;
                if (event.key == kVkDown && chosen_ < kLineCount - 1) ++chosen_;
                if (onControls() && (event.key == kVkRight || event.key == kVkReturn || event.key == kVkSpace))
                    return ScreenChange::Push(std::make_unique<ControlsScreen>());
                if (event.key == kVkLeft) Change(-1);
                if (event.key == kVkRight) Change(1);
                break;
            case InputEvent::Kind::KeyUp:
                if (event.key == BoundKey(Action::Back)) return ScreenChange::Pop();
                break;
            case InputEvent::Kind::MouseMove:
            case InputEvent::Kind::LeftClick:
                hovered_ = LineAt(event.x, event.y);
                if (hovered_ < 0) break;
                chosen_ = hovered_;
                if (event.kind == InputEvent::Kind::LeftClick && onControls())
                    return ScreenChange::Push(std::make_unique<ControlsScreen>());
                if (event.kind == InputEvent::Kind::LeftClick) Change(1);
                break;
            case InputEvent::Kind::Wheel:
            case InputEvent::Kind::RightClick: break;
        }
    }
    return ScreenChange::Stay();
}

void SettingsScreen::Draw(const ScreenFrame& frame) {
    const std::string keys = frame.input.PadUsed()
                                 ? "D-pad: choose, change    A: the controls    B: back"
                                 : "Up, Down: choose    Left, Right: change    " + BoundKeyName(Action::Back) + ": back";
    if (!look_.BeginPage("Settings", keys)) return;
    const Settings settings = SettingsAsShown();
    for (int32_t line = 0; line < kLineCount; ++line) {
        const Rect r = LineRect(line);
        if (line == chosen_) {
            look_.MarkChosen(r);
        } else if (line == hovered_) {
            look_.MarkHovered(r);
        }
        look_.Text(SettingText(settings, static_cast<SettingLine>(line)), r.left + look_.Scaled(40),
                   r.top + (r.bottom - r.top - look_.LineHeight(ScreenLook::Size::Text)) / 2, ScreenLook::Tone::Text,
                   ScreenLook::Size::Text);
    }
    look_.EndPage();
}

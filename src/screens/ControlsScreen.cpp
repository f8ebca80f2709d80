#include "screens/ControlsScreen.h"

#include <algorithm>

#include "platform/KeyNames.h"
#include "platform/Keyboard.h"
#include "profile/ProfileSession.h"
#include "screens/InputPath.h"

namespace {
constexpr int32_t kRowHeight = 40;  // at scale 1

std::string RowText(int32_t row) {
    if (row >= kActionCount) return "Defaults: every key as it came";
    const Action action = static_cast<Action>(row);
    return std::string(ActionLabel(action)) + ":  " + BoundKeyName(action);
}
}  // namespace

Rect ControlsScreen::RowRect(int32_t row) const {
    const Rect body = look_.Body();
    const int32_t perColumn = RowsPerColumn();
    const int32_t height = std::min(look_.Scaled(kRowHeight), (body.bottom - body.top - look_.Scaled(60)) / perColumn);
    const int32_t half = (body.right - body.left) / 2;
    const int32_t left = body.left + (row / perColumn) * half;
    const int32_t top = body.top + look_.Scaled(10) + (row % perColumn) * height;
    return Rect{left, top, left + half, top + height};
}

int32_t ControlsScreen::RowAt(int32_t x, int32_t y) const {
    for (int32_t row = 0; row < kRows; ++row) {
        const Rect r = RowRect(row);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return row;
    }
    return -1;
}

void ControlsScreen::Activate() {
    if (chosen_ < kActionCount) {
        waiting_ = true;
        said_ = std::string("Press a key or a pad button for ") + ActionLabel(static_cast<Action>(chosen_)) +
                "    (Escape: keep " + BoundKeyName(static_cast<Action>(chosen_)) + ")";
        return;
    }
    Settings settings = SettingsAsShown();
    settings.controls = Controls();
    ChangeSettings(settings);
    said_ = "Every key is as it came again.";
}

void ControlsScreen::Assign(int key) {
    waiting_ = false;
    const Action action = static_cast<Action>(chosen_);
    if (key == kVkEscape) {
        said_ = std::string(ActionLabel(action)) + " keeps " + BoundKeyName(action) + ".";
        return;
    }
    Settings settings = SettingsAsShown();
    const std::string why = KeyName(key).empty() ? "That key cannot be given to an action."
                                                 : WhyNotKey(settings.controls, action, key);
    if (!why.empty()) {
        said_ = why + ": " + ActionLabel(action) + " keeps " + BoundKeyName(action) + ".";
        return;
    }
    settings.controls.keys[static_cast<size_t>(action)] = key;
    ChangeSettings(settings);
    said_ = std::string(ActionLabel(action)) + " is now " + KeyName(key) + ".";
}

ScreenChange ControlsScreen::Update(ScreenFrame& frame) {
    const InputPath& input = frame.input;
    if (waiting_) {
        // A pad button also stands for a key of its own (A for Return, B for Escape): the button wins.
        int pressed = 0;
        for (const InputEvent& event : input.Events()) {
            if (event.kind != InputEvent::Kind::KeyDown) continue;
            if (pressed == 0 || event.key >= kPadKeyFirst) pressed = event.key;
            // B stands for Escape as well as for itself: neither release may leave the page.
            swallowUp_.push_back(event.key);
        }
        if (pressed != 0) Assign(pressed);
        return ScreenChange::Stay();
    }
    if (swallowUp_.empty()) ToggleMusicOnM(input);
    const int32_t perColumn = RowsPerColumn();
    for (const InputEvent& event : input.Events()) {
        switch (event.kind) {
            case InputEvent::Kind::KeyDown:
                if (event.key == kVkUp && chosen_ > 0) --chosen_;
                if (event.key == kVkDown && chosen_ < kRows - 1) ++chosen_;
                if (event.key == kVkLeft && chosen_ >= perColumn) chosen_ -= perColumn;
                if (event.key == kVkRight && chosen_ + perColumn < kRows) chosen_ += perColumn;
                if (event.key == kVkReturn || event.key == kVkSpace) Activate();
                break;
            case InputEvent::Kind::KeyUp:
                if (std::find(swallowUp_.begin(), swallowUp_.end(), event.key) != swallowUp_.end()) {
                    swallowUp_.erase(std::find(swallowUp_.begin(), swallowUp_.end(), event.key));
                } else if (event.key == BoundKey(Action::Back)) {
                    return ScreenChange::Pop();
                }
                break;
            case InputEvent::Kind::MouseMove:
            case InputEvent::Kind::LeftClick:
                hovered_ = RowAt(event.x, event.y);
                if (hovered_ < 0) break;
                chosen_ = hovered_;
                if (event.kind == InputEvent::Kind::LeftClick) Activate();
                break;
            case InputEvent::Kind::Wheel:
            case InputEvent::Kind::RightClick: break;
        }
        if (waiting_) break;
    }
    return ScreenChange::Stay();
}

void ControlsScreen::Draw(const ScreenFrame& frame) {
    const std::string keys = frame.input.PadUsed()
                                 ? "D-pad: choose    A: change    B: back"
                                 : "Arrows: choose    Return: change    " + BoundKeyName(Action::Back) + ": back";
    if (!look_.BeginPage("Controls", keys)) return;
    for (int32_t row = 0; row < kRows; ++row) {
        const Rect r = RowRect(row);
        if (row == chosen_) {
            look_.MarkChosen(r);
        } else if (row == hovered_) {
            look_.MarkHovered(r);
        }
        look_.Text(RowText(row), r.left + look_.Scaled(24), r.top + (r.bottom - r.top - look_.LineHeight(ScreenLook::Size::Small)) / 2,
                   row == chosen_ && waiting_ ? ScreenLook::Tone::Won : ScreenLook::Tone::Text, ScreenLook::Size::Small,
                   r.right - look_.Scaled(8));
    }
    const Rect body = look_.Body();
    look_.Text(said_, body.left + look_.Scaled(24), body.bottom - look_.Scaled(44), ScreenLook::Tone::Warning,
               ScreenLook::Size::Small);
    look_.EndPage();
}

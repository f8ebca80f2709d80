#include "screens/PadControl.h"

#include <algorithm>
#include <cmath>

#include "platform/KeyNames.h"
#include "platform/Keyboard.h"
#include "profile/ProfileSession.h"
#include "screens/InputPath.h"

namespace {
constexpr float kDeadZone = 0.2f;
// A stick pushed all the way moves the aim across the window's larger side in this many seconds.
constexpr float kCrossingSeconds = 1.0f;
// How far a stick is pushed before it stands for a key.
constexpr float kKeyPush = 0.5f;
// Held arrows repeat after this delay, then at this interval (seconds), as a keyboard's do.
constexpr float kRepeatDelay = 0.4f;
constexpr float kRepeatInterval = 0.1f;

int Square(int v) { return v * v; }
}  // namespace

float StickResponse(float push) {
    const float magnitude = std::min(std::fabs(push), 1.0f);
    if (magnitude <= kDeadZone) return 0.0f;
    const float beyond = (magnitude - kDeadZone) / (1.0f - kDeadZone);
    return std::copysign(beyond * beyond, push);
}

bool PadControl::Pressed(const PadState& pad, PadButton b) const {
    const int i = static_cast<int>(b);
    return pad.buttons[i] && !last_.buttons[i] && !stale_[i];
}

void PadControl::WantKeys(const PadState& pad, PadScene scene, std::array<bool, 256>* want) const {
    auto down = [&](PadButton b) { return pad.Down(b) && !stale_[static_cast<int>(b)]; };
    auto hold = [&](int vk, bool on) {
        if (vk > 0 && vk < 256) (*want)[vk] = (*want)[vk] || on;
    };
    // Each button is also a key of its own, for the actions the player gave a button.
    for (int b = 0; b < kPadButtonCount; ++b) hold(PadButtonKey(b), scene != PadScene::Elsewhere && down(static_cast<PadButton>(b)));
    // The game's keys as the player chose them (the defaults: Escape, Pause, L, W S A D, …).
    const int back = BoundKey(Action::Back);
    const float lx = pad.Axis(PadAxis::LeftX), ly = pad.Axis(PadAxis::LeftY);
    switch (scene) {
        case PadScene::Title:
        case PadScene::Menu:
            hold(kVkSpace, down(PadButton::A) || down(PadButton::Start));
            hold(kVkF1, down(PadButton::Y));
            hold(back, down(PadButton::Back));
            // On the title Escape ends the game: B, the pad's usual way back, must not.
            if (scene == PadScene::Menu) hold(back, down(PadButton::B));
            if (scene == PadScene::Title) hold(BoundKey(Action::LevelList), down(PadButton::X));
            if (scene == PadScene::Title) hold(BoundKey(Action::Settings), down(PadButton::RightShoulder));
            break;
        case PadScene::Paused: {
            const float rx = pad.Axis(PadAxis::RightX), ry = pad.Axis(PadAxis::RightY);
            hold(BoundKey(Action::WalkForward), StickResponse(ly) < -kKeyPush * kKeyPush);
            hold(BoundKey(Action::WalkBack), StickResponse(ly) > kKeyPush * kKeyPush);
            hold(BoundKey(Action::StrafeLeft), StickResponse(lx) < -kKeyPush * kKeyPush);
            hold(BoundKey(Action::StrafeRight), StickResponse(lx) > kKeyPush * kKeyPush);
            hold(BoundKey(Action::PitchUp), StickResponse(ry) < -kKeyPush * kKeyPush);
            hold(BoundKey(Action::PitchDown), StickResponse(ry) > kKeyPush * kKeyPush);
            hold(BoundKey(Action::YawLeft), StickResponse(rx) < -kKeyPush * kKeyPush);
            hold(BoundKey(Action::YawRight), StickResponse(rx) > kKeyPush * kKeyPush);
            hold(BoundKey(Action::FlyUp), pad.Axis(PadAxis::RightTrigger) > kKeyPush);
            hold(BoundKey(Action::FlyDown), pad.Axis(PadAxis::LeftTrigger) > kKeyPush);
            [[fallthrough]];
        }
        case PadScene::Play:
            hold(BoundKey(Action::Pause), down(PadButton::Start));
            hold(back, down(PadButton::Back));
            break;
        case PadScene::Choosing:
            hold(kVkUp, down(PadButton::DpadUp) || StickResponse(ly) < -kKeyPush * kKeyPush);
            hold(kVkDown, down(PadButton::DpadDown) || StickResponse(ly) > kKeyPush * kKeyPush);
            hold(kVkLeft, down(PadButton::DpadLeft) || StickResponse(lx) < -kKeyPush * kKeyPush);
            hold(kVkRight, down(PadButton::DpadRight) || StickResponse(lx) > kKeyPush * kKeyPush);
            hold(kVkReturn, down(PadButton::A));
            hold('W', down(PadButton::Y));  // the list's W: watch the chosen level's best run
            hold(back, down(PadButton::B) || down(PadButton::Back));
            break;
        case PadScene::Elsewhere: break;
    }
}

bool PadControl::MoveAim(const PadState& pad, float dt, PadPixel size) {
    // The push is measured along the stick's direction, so a diagonal is as fast as a straight push.
    const float x = pad.Axis(PadAxis::LeftX), y = pad.Axis(PadAxis::LeftY);
    const float push = std::sqrt(x * x + y * y);
    const float response = StickResponse(push);
    if (response <= 0.0f) return false;
    const float speed = response * static_cast<float>(std::max(size.x, size.y)) / kCrossingSeconds;
    aimX_ = std::clamp(aimX_ + x / push * speed * dt, 0.0f, static_cast<float>(size.x - 1));
    aimY_ = std::clamp(aimY_ + y / push * speed * dt, 0.0f, static_cast<float>(size.y - 1));
    return true;
}

void PadControl::StepTarget(int step, PadField& field) {
    const std::vector<PadPixel> targets = field.TargetPixels();
    if (targets.empty()) return;
    if (targets != cycleFrom_ || cycle_.empty()) {
        cycleFrom_ = targets;
        cycle_ = targets;
        const PadPixel aim = Aim();
        std::stable_sort(cycle_.begin(), cycle_.end(), [&](const PadPixel& a, const PadPixel& b) {
            return Square(a.x - aim.x) + Square(a.y - aim.y) < Square(b.x - aim.x) + Square(b.y - aim.y);
        });
        cycleIndex_ = -1;
    }
    const int count = static_cast<int>(cycle_.size());
    cycleIndex_ = step > 0 ? (cycleIndex_ + 1) % count : (cycleIndex_ <= 0 ? count - 1 : cycleIndex_ - 1);
    aimX_ = static_cast<float>(cycle_[cycleIndex_].x);
    aimY_ = static_cast<float>(cycle_[cycleIndex_].y);
    field.PointAt(Aim(), false);
}

void PadControl::Repeat(const std::array<bool, 256>& want, float dt, InputPath& input) {
    for (const int vk : {kVkUp, kVkDown, kVkLeft, kVkRight}) {
        if (!want[vk] || !held_[vk]) continue;
        const float before = heldFor_[vk];
        heldFor_[vk] += dt;
        if (heldFor_[vk] < kRepeatDelay) continue;
        // A repeat is due each time the held time passes the delay plus a whole interval.
        const float due = std::floor((heldFor_[vk] - kRepeatDelay) / kRepeatInterval);
        const float was = before < kRepeatDelay ? -1.0f : std::floor((before - kRepeatDelay) / kRepeatInterval);
        if (due > was) {
            input.Hold(vk, false);
            input.Hold(vk, true);
        }
    }
}

void PadControl::Update(const PadSnapshot& pad, PadScene scene, float dt, PadField& field, InputPath& input) {
    const PadState& now = pad.lead;
    const float lx = now.Axis(PadAxis::LeftX), ly = now.Axis(PadAxis::LeftY);
    if (scene != scene_) {
        // What was held for the screen before is not a press on this one.
        for (int b = 0; b < kPadButtonCount; ++b) stale_[b] = now.buttons[b];
        cycle_.clear();
        scene_ = scene;
    }
    for (int b = 0; b < kPadButtonCount; ++b) stale_[b] = stale_[b] && now.buttons[b];

    std::array<bool, 256> want{};
    WantKeys(now, scene, &want);
    if (pausePulse_) {
        pausePulse_ = false;
    } else if (pad.leadPulledOut && scene == PadScene::Play) {
        want[BoundKey(Action::Pause)] = true;
        pausePulse_ = true;
    }
    Repeat(want, dt, input);
    for (int vk = 1; vk < 256; ++vk) {
        if (want[vk] == held_[vk]) continue;
        input.Hold(vk, want[vk]);
        held_[vk] = want[vk];
        heldFor_[vk] = 0.0f;
    }

    if (scene == PadScene::Play && now.connected) {
        const PadPixel size = field.Size();
        if (!aimSet_) {
            aimX_ = static_cast<float>(size.x / 2);
            aimY_ = static_cast<float>(size.y / 2);
            aimSet_ = true;
        }
        if (MoveAim(now, dt, size)) {
            cycle_.clear();
            field.PointAt(Aim(), false);
        }
        if (Pressed(now, PadButton::RightShoulder)) StepTarget(1, field);
        if (Pressed(now, PadButton::LeftShoulder)) StepTarget(-1, field);
        if (Pressed(now, PadButton::A)) field.PointAt(Aim(), true);
    }
    if (std::find(now.buttons.begin(), now.buttons.end(), true) != now.buttons.end() || StickResponse(lx) != 0.0f ||
        StickResponse(ly) != 0.0f)
        input.NotePad();
    last_ = now;
}

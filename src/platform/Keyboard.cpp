#include "platform/Keyboard.h"

namespace {
bool InRange(int vk) { return vk >= 0 && vk < 256; }
}  // namespace

uint16_t EventKeyboard::GetAsyncKeyState(int vk) {
    if (!InRange(vk)) return 0;
    const uint16_t state = (down_[vk] ? kDown : 0) | (pressed_[vk] ? kPressedSince : 0);
    pressed_[vk] = false;
    return state;
}

void EventKeyboard::KeyDown(int vk, bool repeat) {
    if (!InRange(vk)) return;
    // An auto-repeat is no new press; but a repeat for a key we never saw go down (the window
    // got the keyboard while it was held) still means it is down.
    if (!repeat || !down_[vk]) pressed_[vk] = true;
    down_[vk] = true;
    if (presses_.size() < kMaxKeyPresses) presses_.push_back({vk, down_[kVkControl], down_[kVkShift]});
}

std::vector<KeyPress> EventKeyboard::TakeKeyPresses() {
    std::vector<KeyPress> taken;
    taken.swap(presses_);
    return taken;
}

void FakeKeyboard::Press(int vk, bool ctrl, bool shift) {
    if (presses_.size() < kMaxKeyPresses) presses_.push_back({vk, ctrl, shift});
}

std::vector<KeyPress> FakeKeyboard::TakeKeyPresses() {
    std::vector<KeyPress> taken;
    taken.swap(presses_);
    return taken;
}

void EventKeyboard::KeyUp(int vk) {
    if (InRange(vk)) down_[vk] = false;
}

void EventKeyboard::Reset() {
    down_.fill(false);
    pressed_.fill(false);
    presses_.clear();
}

void FakeKeyboard::Set(int vk, uint16_t state) {
    if (InRange(vk)) state_[vk] = state;
}

uint16_t FakeKeyboard::GetAsyncKeyState(int vk) {
    if (!InRange(vk)) return 0;
    const uint16_t state = state_[vk];
    state_[vk] &= static_cast<uint16_t>(~kPressedSince);
    return state;
}

EventKeyboard& SystemKeyboard() {
    static EventKeyboard keyboard;
    return keyboard;
}

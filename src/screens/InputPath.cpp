#include "screens/InputPath.h"

namespace {
// Queued mouse events are bounded: a flood between two frames keeps the newest ones.
constexpr size_t kMaxPendingEvents = 1024;
}  // namespace

bool KeyCountsAsPressed(uint16_t state) {
    // The state sign-extended to 32 bits: the down bit lands in bit 19, the pressed-since bit stays in bit 0.
    const int32_t extended = static_cast<int16_t>(state);
    return (extended & 0x8000F) != 0;
}

void InputPath::BeginFrame() {
    Keyboard& keyboard = Source();
    events_.clear();
    for (int vk = 1; vk < 256; ++vk) {
        const uint16_t state = keyboard.GetAsyncKeyState(vk);
        const bool pressed = (state & kPressedSince) != 0 || unseen_[vk] || heldPressed_[vk];
        const bool down = (state & kDown) != 0 || held_[vk];
        // A tap between two frames counts as seen down for one frame, so it is also released.
        const bool seen = down || pressed;
        went_[vk] = pressed || (seen && !seen_[vk]);
        released_[vk] = !seen && seen_[vk];
        fresh_[vk] = fresh_[vk] || pressed;
        down_[vk] = down;
        seen_[vk] = seen;
        unseen_[vk] = false;
        heldPressed_[vk] = false;
        if (went_[vk]) events_.push_back({InputEvent::Kind::KeyDown, vk});
        if (released_[vk]) events_.push_back({InputEvent::Kind::KeyUp, vk});
    }
    presses_ = keyboard.TakeKeyPresses();
    if (pending_.size() > kMaxPendingEvents) pending_.erase(pending_.begin(), pending_.end() - kMaxPendingEvents);
    events_.insert(events_.end(), pending_.begin(), pending_.end());
    pending_.clear();
}

void InputPath::Restart() {
    BeginFrame();
    went_.fill(false);
    released_.fill(false);
    fresh_.fill(false);
    events_.clear();
    presses_.clear();
}

void InputPath::Hold(int vk, bool down) {
    if (!InRange(vk)) return;
    if (down && !held_[vk]) heldPressed_[vk] = true;
    held_[vk] = down;
}

uint16_t InputPath::GetAsyncKeyState(int vk) {
    if (!InRange(vk)) return 0;
    const uint16_t state = static_cast<uint16_t>((down_[vk] ? kDown : 0) | (fresh_[vk] ? kPressedSince : 0));
    fresh_[vk] = false;
    return state;
}

std::vector<KeyPress> InputPath::TakeKeyPresses() { return std::move(presses_); }

bool InputPath::PeekPressed(int vk) {
    if (!InRange(vk)) return false;
    const uint16_t state = Source().GetAsyncKeyState(vk);
    if (state & kPressedSince) {
        fresh_[vk] = true;
        unseen_[vk] = true;
    }
    return KeyCountsAsPressed(state);
}

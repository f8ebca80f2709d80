#pragma once
#include <array>

// Key edges for the profile's screens, read from the game's input keyboard once per frame. Only
// polled while such a screen is up: a poll takes every key's pressed-since bit.
class ScreenKeys {
public:
    // Polls every key once; call once per frame before asking.
    void Poll();
    // True in the frame a key went down: a new press since the last poll (so two taps in two
    // frames in a row count twice), or a key seen down that was not down before.
    bool Went(int vk) const { return fresh_[vk] || (now_[vk] && !before_[vk]); }
    // True in the frame a key came up after being seen down.
    bool Released(int vk) const { return !now_[vk] && before_[vk]; }
    // Starts a screen: keys down now do not count as going down (only their release acts).
    void Start() {
        Poll();
        before_ = now_;
        fresh_.fill(false);
    }

private:
    std::array<bool, 256> now_{};
    std::array<bool, 256> before_{};
    std::array<bool, 256> fresh_{};
};

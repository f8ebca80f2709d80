#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Virtual-key codes of the keys the game reads. Letters and digits are their upper-case ASCII.
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkPause = 0x13;
constexpr int kVkEnd = 0x23;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;
constexpr int kVkF1 = 0x70;
constexpr int kVkF11 = 0x7A;
constexpr int kVkBack = 0x08;    // Backspace
constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkShift = 0x10;    // either Shift key
constexpr int kVkControl = 0x11;  // either Ctrl key
constexpr int kVkDelete = 0x2E;
constexpr int kVkPlus = 0xBB;     // the + (=) key or the keypad's +
constexpr int kVkMinus = 0xBD;    // the - key or the keypad's -

// One key going down (an auto-repeat too), with the modifiers held at that moment.
struct KeyPress {
    int vk = 0;
    bool ctrl = false;
    bool shift = false;
};

// Key states answered like the asynchronous key-state query the game polls once per frame.
class Keyboard {
public:
    static constexpr uint16_t kDown = 0x8000;          // the key is down now
    static constexpr uint16_t kPressedSince = 0x0001;  // pressed since the last query of this key

    virtual ~Keyboard() = default;
    // The state of virtual key vk (0..255; others answer 0). Reading clears kPressedSince.
    virtual uint16_t GetAsyncKeyState(int vk) = 0;
    // The presses since the last call, in the order they happened, for keys that act once per
    // press however many fall into one frame (at most kMaxKeyPresses are kept). Polling with
    // GetAsyncKeyState does not take them.
    virtual std::vector<KeyPress> TakeKeyPresses() = 0;
    static constexpr size_t kMaxKeyPresses = 256;
};

// A keyboard driven by key events: a down event that is not an auto-repeat sets both bits, an up
// event clears kDown. So a tap that goes down and up between two queries still reads as
// pressed once.
class EventKeyboard : public Keyboard {
public:
    uint16_t GetAsyncKeyState(int vk) override;
    std::vector<KeyPress> TakeKeyPresses() override;
    // Records a key going down (repeat: an auto-repeat of a key already down).
    void KeyDown(int vk, bool repeat);
    void KeyUp(int vk);
    // Forgets all keys, as when the window loses the keyboard.
    void Reset();

private:
    std::array<bool, 256> down_{};
    std::array<bool, 256> pressed_{};
    std::vector<KeyPress> presses_;
};

// A keyboard whose answers tests set directly.
class FakeKeyboard : public Keyboard {
public:
    // Sets what vk answers from now on; kPressedSince clears on the next query as on the real
    // keyboard, kDown stays until set again.
    void Set(int vk, uint16_t state);
    uint16_t GetAsyncKeyState(int vk) override;
    // Queues a press for TakeKeyPresses.
    void Press(int vk, bool ctrl = false, bool shift = false);
    std::vector<KeyPress> TakeKeyPresses() override;

private:
    std::array<uint16_t, 256> state_{};
    std::vector<KeyPress> presses_;
};

// The keyboard fed by the window's message queue.
EventKeyboard& SystemKeyboard();

// Maps an SDL key code to a virtual-key code; 0 for keys the game has no code for.
int VirtualKeyFromSdl(int32_t sdlKey);

#pragma once
#include <array>
#include <cstdint>

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

// Key states answered like the asynchronous key-state query the game polls once per frame.
class Keyboard {
public:
    static constexpr uint16_t kDown = 0x8000;          // the key is down now
    static constexpr uint16_t kPressedSince = 0x0001;  // pressed since the last query of this key

    virtual ~Keyboard() = default;
    // The state of virtual key vk (0..255; others answer 0). Reading clears kPressedSince.
    virtual uint16_t GetAsyncKeyState(int vk) = 0;
};

// A keyboard driven by key events: a down event that is not an auto-repeat sets both bits, an up
// event clears kDown. So a tap that goes down and up between two queries still reads as
// pressed once.
class EventKeyboard : public Keyboard {
public:
    uint16_t GetAsyncKeyState(int vk) override;
    // Records a key going down (repeat: an auto-repeat of a key already down).
    void KeyDown(int vk, bool repeat);
    void KeyUp(int vk);
    // Forgets all keys, as when the window loses the keyboard.
    void Reset();

private:
    std::array<bool, 256> down_{};
    std::array<bool, 256> pressed_{};
};

// A keyboard whose answers tests set directly.
class FakeKeyboard : public Keyboard {
public:
    // Sets what vk answers from now on; kPressedSince clears on the next query as on the real
    // keyboard, kDown stays until set again.
    void Set(int vk, uint16_t state);
    uint16_t GetAsyncKeyState(int vk) override;

private:
    std::array<uint16_t, 256> state_{};
};

// The keyboard fed by the window's message queue.
EventKeyboard& SystemKeyboard();

// Maps an SDL key code to a virtual-key code; 0 for keys the game has no code for.
int VirtualKeyFromSdl(int32_t sdlKey);

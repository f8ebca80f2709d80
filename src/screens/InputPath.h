#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "platform/Keyboard.h"

// One input event of a frame, as the screens around play take them.
struct InputEvent {
    enum class Kind { KeyDown, KeyUp, MouseMove, LeftClick, RightClick, Wheel };
    Kind kind = Kind::KeyDown;
    int key = 0;             // KeyDown and KeyUp: the virtual-key code
    int32_t x = 0, y = 0;    // the mouse events: client pixels
    int notches = 0;         // Wheel: notches turned away from the player
};

// The one path input takes into the game. Once a frame it reads the keyboard (the system's, or
// the one a test set) and turns it into two views of the same presses:
// - polled key states, answered like the keyboard itself (the pressed-since bit stays until that
//   key is queried, however many frames later), for the game's own keys that poll and latch;
// - this frame's events (keys going down and up, presses with their modifiers, and the mouse
//   events the window handed over), for the screens that take events.
// Another device (a pad, touch) feeds the same views through Push (events) and Hold (a key it
// stands for), so the screens and the game's keys see its presses as the keyboard's.
class InputPath : public Keyboard {
public:
    // Reads `source` from now on (tests pass a fake); null: the system keyboard.
    void SetSource(Keyboard* source) { source_ = source; }
    Keyboard& Source() { return source_ ? *source_ : SystemKeyboard(); }

    // Reads every key once and takes the presses since the last frame; the mouse events pushed
    // since then become this frame's. Call once at the start of each frame.
    void BeginFrame();
    // Forgets this frame's events, presses and every key's pressed-since mark, and treats the keys
    // held now as held from before, so only their release acts: for a screen that has just come up.
    void Restart();
    // A mouse (or other non-key) event for the next frame.
    void Push(const InputEvent& event) { pending_.push_back(event); }
    // Another device holds the key `vk` down or lets it go; from the next frame both views see it
    // as if the keyboard had (a press shorter than a frame still counts once).
    void Hold(int vk, bool down);
    // The player has touched the screen: from now on the screens show their touch buttons.
    void NoteTouch() { touched_ = true; }
    bool Touched() const { return touched_; }
    // A pad has been used: from now on the screens' key lines name its buttons.
    void NotePad() { padUsed_ = true; }
    bool PadUsed() const { return padUsed_; }

    // The polled view: down now (kDown), pressed since the last query of this key (kPressedSince).
    uint16_t GetAsyncKeyState(int vk) override;
    // The presses read by BeginFrame, in order (each only once).
    std::vector<KeyPress> TakeKeyPresses() override;
    // Reads one key's state straight away (between frames, e.g. during a long load) without losing
    // its press for the polled view.
    bool PeekPressed(int vk);

    // This frame's events, keys first, then the mouse in the order it happened.
    const std::vector<InputEvent>& Events() const { return events_; }
    // True when the key went down this frame: a new press, or seen down and not down before.
    bool Went(int vk) const { return InRange(vk) && went_[vk]; }
    // True when the key came up this frame after being seen down.
    bool Released(int vk) const { return InRange(vk) && released_[vk]; }

private:
    static bool InRange(int vk) { return vk > 0 && vk < 256; }
    Keyboard* source_ = nullptr;
    std::array<bool, 256> down_{};     // down as the last BeginFrame read it
    std::array<bool, 256> seen_{};     // down or pressed since, as the last BeginFrame read it
    std::array<bool, 256> fresh_{};    // pressed since last queried through GetAsyncKeyState
    std::array<bool, 256> unseen_{};   // pressed (by PeekPressed) since the last BeginFrame
    std::array<bool, 256> went_{};
    std::array<bool, 256> released_{};
    std::array<bool, 256> held_{};         // held down by another device
    std::array<bool, 256> heldPressed_{};  // pressed by another device since the last BeginFrame
    std::vector<KeyPress> presses_;
    std::vector<InputEvent> events_;
    std::vector<InputEvent> pending_;
    bool touched_ = false;
    bool padUsed_ = false;
};

// True when a polled key state counts as pressed: down now, or pressed since the last query.
bool KeyCountsAsPressed(uint16_t state);

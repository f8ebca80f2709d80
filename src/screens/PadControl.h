#pragma once
#include <array>
#include <vector>

#include "platform/GamePad.h"

class InputPath;

// Which of the game's screens the pad acts on this frame.
enum class PadScene {
    Elsewhere,  // a screen with no pad controls (the editor)
    Play,       // the level in play
    Paused,     // the level in play, paused
    Title,      // the title menu
    Menu,       // the introduction, level complete or game over
    Choosing,   // the level list, the settings, watching a run
};

// A pixel of the window.
struct PadPixel {
    int x = 0, y = 0;
    bool operator==(const PadPixel&) const = default;
};

// What the pad aims at in play; the game's own is GamePadField (screens/PadField.h).
class PadField {
public:
    virtual ~PadField() = default;
    // The window's client size in pixels.
    virtual PadPixel Size() const = 0;
    // The pixels of the targets in view, in a stable order.
    virtual std::vector<PadPixel> TargetPixels() const = 0;
    // Points at `pixel` as the mouse does there; fires as a left click does when `fire`.
    virtual void PointAt(PadPixel pixel, bool fire) = 0;
};

// A stick's push after the dead zone (0.2 of its travel, where a stick at rest may drift) and
// the squared response curve: 0 inside the dead zone, rising to 1 at the edge.
float StickResponse(float push);

// Turns the leading pad into the game's input, through the InputPath the keyboard takes:
// - play: the left stick moves an aim pixel (slow near the centre, fast at the edge, never off the
//   window) and points there as the mouse does; A fires there as a left click does; the right and
//   left shoulders step the aim to the next and previous target in view, nearest the aim first;
//   Start is Pause, Back is Escape; the leading pad pulled out pauses the game;
// - paused: the left stick holds W S A D, the right stick the arrows, the triggers R (right) and F;
// - the four menu screens: A and Start are Space, Y is F1, Back is Escape, B is Escape except on
//   the title, where X is L and the right shoulder O;
// - the level list, settings and watching: the d-pad and left stick are the arrows (repeating
//   while held), A is Enter, Y is W (watch), B and Back are Escape.
// A button held when the screen changes acts only once it is pressed again. With no pad, nothing.
class PadControl {
public:
    // Acts on one frame's reading, `dt` seconds after the last; the keys held take effect at the
    // input's next BeginFrame.
    void Update(const PadSnapshot& pad, PadScene scene, float dt, PadField& field, InputPath& input);
    // The aim pixel in play.
    PadPixel Aim() const { return {static_cast<int>(aimX_), static_cast<int>(aimY_)}; }

private:
    // The keys the pad stands for this frame on `scene`.
    void WantKeys(const PadState& pad, PadScene scene, std::array<bool, 256>* want) const;
    // Moves the aim with the left stick; true when it moved.
    bool MoveAim(const PadState& pad, float dt, PadPixel size);
    // Steps the aim `step` targets along the order nearest the aim first.
    void StepTarget(int step, PadField& field);
    // Held arrows on the choosing screens are pressed again after a delay, then at a rate.
    void Repeat(const std::array<bool, 256>& want, float dt, InputPath& input);
    bool Pressed(const PadState& pad, PadButton b) const;

    PadState last_;
    PadScene scene_ = PadScene::Elsewhere;
    std::array<bool, kPadButtonCount> stale_{};  // held since before the screen changed
    std::array<bool, 256> held_{};               // the keys the pad holds on the input
    std::array<float, 256> heldFor_{};           // seconds each key has been held
    bool pausePulse_ = false;                    // Pause held for a pull-out, let go next frame
    bool aimSet_ = false;
    float aimX_ = 0.0f, aimY_ = 0.0f;
    std::vector<PadPixel> cycleFrom_;  // the targets the order was made from
    std::vector<PadPixel> cycle_;      // those targets, nearest the aim first
    int cycleIndex_ = -1;
};

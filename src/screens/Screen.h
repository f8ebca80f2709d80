#pragma once
#include <cstdint>
#include <memory>

#include "graphics/TouchButtons.h"
#include "platform/Sharing.h"

class InputPath;
class Screen;

// What one frame hands the screen on top.
struct ScreenFrame {
    float dt = 0.0f;     // seconds since the previous frame
    int32_t fps = 0;     // frames per second over the last whole second
    InputPath& input;    // this frame's keys and mouse
    Clipboard* clipboard = nullptr;  // the clipboard copies go to; null: the system's

    Clipboard& Clip() const { return clipboard ? *clipboard : SystemClipboard(); }
};

// What a screen asks for once it has taken a frame's input.
struct ScreenChange {
    enum class Kind { Stay, Push, Pop, Quit };
    Kind kind = Kind::Stay;
    std::unique_ptr<Screen> next;  // Push: the screen that comes up on top

    static ScreenChange Stay() { return {}; }
    static ScreenChange Pop() { return {Kind::Pop, nullptr}; }
    static ScreenChange Quit() { return {Kind::Quit, nullptr}; }
    static ScreenChange Push(std::unique_ptr<Screen> next) { return {Kind::Push, std::move(next)}; }
};

// One screen of the game: play with its four menu screens, the level list, the settings, watching
// a run, the editor. Whatever a screen remembers is a member: nothing lives beside it.
class Screen {
public:
    virtual ~Screen() = default;
    // Takes this frame's input and acts on it; says what comes next.
    virtual ScreenChange Update(ScreenFrame& frame) = 0;
    // Draws and presents this frame (after Update, when the screen is still on top).
    virtual void Draw(const ScreenFrame& frame) = 0;
    // Called when the screen above this one has gone and this one is on top again.
    virtual void Resume() {}
    // False for play, whose mouse picks and fires in the window procedure itself; true when the
    // mouse reaches the screen as events.
    virtual bool TakesMouseEvents() const { return true; }
    // True when the game's upkeep (the player's profile and the music) follows this screen's frames.
    virtual bool KeepsGameUpkeep() const { return true; }
    // The buttons it shows once the player has touched the screen (after Update); none by default.
    virtual TouchButtonSet TouchButtons() const { return TouchButtonSet::None; }
    // A stamp of what Draw would draw now (after Update), equal for two frames only when their
    // pictures are the same (see graphics/PictureStamp.h); 0, the default: it changes every frame.
    virtual uint64_t PictureStampNow(const ScreenFrame&) const { return 0; }
};

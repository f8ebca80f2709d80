#pragma once
#include <memory>
#include <string>
#include <vector>

#include "graphics/KeptScene.h"
#include "profile/RunPlayback.h"
#include "profile/RunScript.h"
#include "screens/Screen.h"
#include "screens/ScreenLook.h"

// Watching a recorded run in the game window: each part's level loaded as the player saw it, the
// rules driven by the recorded frame times and shots, with sound. Tab toggles four times speed,
// Pause pauses (the camera keys then fly as in a paused game), Escape stops. At the end of each
// part its state of play is printed on stdout as one line of JSON (as tracklet-sim's "print" does).
// When it stops, the current level is loaded again behind the title menu.
class WatchScreen : public Screen {
public:
    // The screen watching the recording in `file`; null, with the reason in *why, when it cannot
    // be read, names no level, or a level it names is missing or has changed since the run.
    static std::unique_ptr<WatchScreen> Start(const std::string& file, std::string* why);

    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    TouchButtonSet TouchButtons() const override { return TouchButtonSet::Back; }

    // The part being watched (0 = the first) and whether four times speed is on.
    size_t part() const { return part_; }
    bool fast() const { return fast_; }

private:
    explicit WatchScreen(std::vector<RunPart> parts) : parts_(std::move(parts)) {}
    void StartPart();

    std::vector<RunPart> parts_;
    size_t part_ = 0;
    std::unique_ptr<RunPlayback> playback_;
    bool fast_ = false;
    bool reported_ = false;
    float sincePartEnd_ = 0.0f;
    ScreenLook look_;
    KeptScene kept_;  // the standing part of the scene, drawn again when it changes
};

#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "profile/RunScript.h"

// Plays a recorded run back on the level in play, in time: the rules run for each recorded frame
// with its own dt, as play ran them (only while the level is neither lost nor won), and each shot
// is fired at the floor point it hit when the mouse may act, as the game's click handling does.
class RunPlayback {
public:
    explicit RunPlayback(std::vector<RunCommand> commands) : commands_(std::move(commands)) {}

    // Runs the recorded frames (and the shots between them) whose time fits into `seconds` more of
    // watching, added to what earlier calls left over.
    void Advance(double seconds);
    // True once every command has run.
    bool Finished() const { return next_ >= commands_.size(); }
    // Recorded frames run so far.
    uint64_t FramesRun() const { return framesRun_; }

private:
    std::vector<RunCommand> commands_;
    size_t next_ = 0;
    uint64_t doneInCommand_ = 0;  // frames of commands_[next_] already run
    double owed_ = 0.0;           // watching time not yet spent on frames
    uint64_t framesRun_ = 0;
};

// One recorded frame: the rules for dt while the level in play is neither lost nor won.
void PlayRecordedFrame(float dt);

// One recorded shot at the floor point, when the mouse may act.
void PlayRecordedShot(const Vec3& point);

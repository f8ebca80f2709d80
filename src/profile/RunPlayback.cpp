#include "profile/RunPlayback.h"

#include "rules/Firing.h"
#include "rules/UpdateGame.h"
#include "state/GameState.h"

void PlayRecordedFrame(float dt) {
    if (!g_level || g_level->lost || g_level->won) return;
    UpdateGame(dt);
}

void PlayRecordedShot(const Vec3& point) {
    if (!MouseMayAct()) return;
    g_pointer = point;
    FireBullet(g_pointer);
}

void RunPlayback::Advance(double seconds) {
    owed_ += seconds;
    while (next_ < commands_.size()) {
        const RunCommand& command = commands_[next_];
        if (command.kind == RunCommand::Kind::Frames) {
            while (doneInCommand_ < command.count && owed_ >= command.dt) {
                PlayRecordedFrame(command.dt);
                owed_ -= command.dt;
                ++doneInCommand_;
                ++framesRun_;
            }
            if (doneInCommand_ < command.count) return;  // the next frame is not due yet
        } else if (command.kind == RunCommand::Kind::Click) {
            PlayRecordedShot(command.point);
        }
        ++next_;
        doneInCommand_ = 0;
    }
}

#include "editor/EditSession.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "editor/LevelEditor.h"
#include "graphics/Picking.h"
#include "level/TokenReader.h"
#include "profile/ReplayRecorder.h"
#include "screens/InputPath.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

// The tile under client pixel (x, y); false when the pointer is off the floor.
bool TileUnder(int32_t x, int32_t y, int32_t* tileX, int32_t* tileY) {
    Vec3 hit;
    if (!PickFloorPoint(x, y, &hit)) return false;
    *tileX = static_cast<int32_t>(std::floor(hit.x / 10.0f));
    *tileY = static_cast<int32_t>(std::floor(hit.y / 10.0f));
    return true;
}

}  // namespace

void EditSession::HandleEvent(const InputEvent& event) {
    int32_t x = 0, y = 0;
    switch (event.kind) {
        case InputEvent::Kind::MouseMove:
            if (TileUnder(event.x, event.y, &x, &y)) editor_.SetCursor(x, y);
            break;
        case InputEvent::Kind::LeftClick:
        case InputEvent::Kind::RightClick:
            if (!TileUnder(event.x, event.y, &x, &y)) break;
            editor_.SetCursor(x, y);
            if (event.kind == InputEvent::Kind::LeftClick) {
                editor_.Place();
            } else {
                editor_.Remove();
            }
            break;
        case InputEvent::Kind::Wheel: editor_.NextKind(event.notches > 0 ? -1 : 1); break;
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp: break;
    }
}

void EditSession::StartTestPlay() {
    auto play = std::make_unique<Level>(g_device, g_catalogue);
    play->LoadText(editor_.Text());
    runFile_ = (std::filesystem::temp_directory_path() / ("tracklet-run-" + std::to_string(getpid()) + ".sim")).string();
    StartRecording(runFile_);
    StartLevel(std::move(play), editor_.path());
    g_showTitleMenu = false;
    g_showIntroduction = false;
    g_paused = false;
    // Said on standard output beside the status line's changes, so a script knows when its
    // clicks reach the play and not the editor.
    std::printf("tracklet: test play started\n");
    std::fflush(stdout);
}

bool EditSession::FollowTestPlay() {
    const bool won = g_level && g_level->won;
    const bool lost = g_level && g_level->lost;
    if (!won && !lost && !g_showTitleMenu) return false;
    StopRecording();
    std::string run;
    ReadTextFile(runFile_, &run);
    std::error_code ignored;
    std::filesystem::remove(runFile_, ignored);
    if (won) {
        editor_.KeepWinningRun(run);
        editor_.SetMessage("test play won: the run is saved as " + RunPathFor(editor_.path()) + " at the next save");
    } else {
        editor_.SetMessage(lost ? "test play lost" : "test play ended");
    }
    g_showTitleMenu = false;
    g_level.reset();
    g_bullets.clear();
    return true;
}

void FollowLevelShape(const Level& level, int32_t* width, int32_t* height) {
    if (level.width != *width || level.height != *height || !g_grid) {
        MakeFloorGrid(level);
        *width = level.width;
        *height = level.height;
    }
    if (level.camera) g_camera = *level.camera;
}

void StatusEcho::Follow(const LevelEditor& editor) {
    Echo(message_, editor.message(), "");
    Echo(check_, editor.CheckVerdict(), "check: ");
    Echo(solve_, editor.SolveVerdict(), "solve: ");
}

void StatusEcho::Echo(std::string& last, const std::string& now, const char* label) {
    if (now == last) return;
    last = now;
    if (now.empty()) return;
    std::printf("tracklet: %s%s\n", label, now.c_str());
    std::fflush(stdout);
}

EditorBench::EditorBench() {
    const char* frames = std::getenv("TRACKLET_BENCH_FRAMES");
    frames_ = frames ? std::strtoll(frames, nullptr, 10) : 0;
    const char* solver = std::getenv("TRACKLET_BENCH_SOLVER");
    solver_ = !(solver && solver[0] == '0');
}

void EditorBench::Steer(LevelEditor& editor) {
    if (!active()) return;
    if (frame_ % 30 == 29) (frame_ / 30) % 2 == 0 ? editor.Place() : editor.Undo();
    if (!solver_) editor.solver().Stop();
    else if (editor.solver().Report()) editor.solver().Restart(editor.Text());
}

bool EditorBench::Count(double seconds) {
    if (!active()) return false;
    ++frame_;
    if (frame_ > frames_ / 10) {
        total_ += seconds;
        worst_ = std::max(worst_, seconds);
        ++counted_;
    }
    if (frame_ < frames_) return false;
    std::printf("frames %lld mean %.2f ms max %.2f ms\n", counted_, 1000.0 * total_ / std::max(counted_, 1LL),
                1000.0 * worst_);
    std::fflush(stdout);
    return true;
}

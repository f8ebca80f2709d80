#include "shell/EditMode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "editor/EditorDrawing.h"
#include "editor/EditorKeys.h"
#include "editor/LevelEditor.h"
#include "editor/ObjectKinds.h"
#include "level/TokenReader.h"
#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/Window.h"
#include "platform/WindowMessages.h"
#include "resources/ResourceCatalogue.h"
#include "shell/FrameTimer.h"
#include "shell/MainLoop.h"
#include "shell/Picking.h"
#include "shell/ReplayRecorder.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

// The rules' view of the models, for the solver's thread: the bounding spheres only, in a
// catalogue no other code touches.
std::unique_ptr<ResourceCatalogue> ShapesOf(ResourceCatalogue& catalogue) {
    auto shapes = std::make_unique<ResourceCatalogue>(nullptr, nullptr);
    for (const auto& [name, model] : catalogue.models) {
        Model& copy = shapes->models[name];
        copy.boundCentre = model.boundCentre;
        copy.boundRadius = model.boundRadius;
    }
    return shapes;
}

ModelList StyleModels(ResourceCatalogue& catalogue) {
    ModelList models;
    models.listPath = catalogue.StyleFolder(0) + "/models.txt";
    for (const std::string& name : LoadedModelNames(catalogue)) models.names.insert(name);
    return models;
}

// The tile under client pixel (x, y); false when the pointer is off the floor.
bool TileUnder(int32_t x, int32_t y, int32_t* tileX, int32_t* tileY) {
    Vec3 hit;
    if (!PickFloorPoint(x, y, &hit)) return false;
    *tileX = static_cast<int32_t>(std::floor(hit.x / 10.0f));
    *tileY = static_cast<int32_t>(std::floor(hit.y / 10.0f));
    return true;
}

class EditSession {
public:
    EditSession(LevelEditor& editor) : editor_(editor) {}

    // Handles one window message while editing; false when it is not the editor's.
    bool HandleMessage(const WindowMessage& message) {
        int32_t x = 0, y = 0;
        switch (message.message) {
            case kWmMouseMove:
                if (TileUnder(static_cast<int32_t>(MouseX(message.lParam)), static_cast<int32_t>(MouseY(message.lParam)), &x, &y))
                    editor_.SetCursor(x, y);
                return true;
            case kWmLButtonDown:
            case kWmRButtonDown:
                if (!TileUnder(static_cast<int32_t>(MouseX(message.lParam)), static_cast<int32_t>(MouseY(message.lParam)), &x, &y))
                    return true;
                editor_.SetCursor(x, y);
                if (message.message == kWmLButtonDown) editor_.Place();
                else editor_.Remove();
                return true;
            case kWmLButtonUp: return true;
            case kWmMouseWheel:
                editor_.NextKind(WheelNotches(message.wParam) > 0 ? -1 : 1);
                return true;
            default: return false;
        }
    }

    // Starts the level as it is now in the game's play mode, recording its run.
    void StartTestPlay() {
        auto play = std::make_unique<Level>(g_device, g_catalogue);
        play->LoadText(editor_.Text());
        runFile_ = (std::filesystem::temp_directory_path() / ("tracklet-run-" + std::to_string(getpid()) + ".sim")).string();
        StartRecording(runFile_);
        StartLevel(std::move(play), editor_.path());
        // The editor's keys left their pressed-since marks (an Escape among them would end the
        // play at once); the game's polling starts afresh.
        for (int vk = 0; vk < 256; ++vk) SystemKeyboard().GetAsyncKeyState(vk);
        g_showTitleMenu = false;
        g_showIntroduction = false;
        g_paused = false;
        playing_ = true;
        // Said on standard output beside the status line's changes, so a script knows when its
        // clicks reach the play and not the editor.
        std::printf("tracklet: test play started\n");
        std::fflush(stdout);
    }

    // After a frame of test play: back to the editor once the level is won or lost or Escape
    // raised the title menu.
    void FollowTestPlay() {
        const bool won = g_level && g_level->won;
        const bool lost = g_level && g_level->lost;
        if (!won && !lost && !g_showTitleMenu) return;
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
        playing_ = false;
        returned_ = true;
    }

    bool playing() const { return playing_; }
    // True once after a test play has ended.
    bool Returned() {
        const bool was = returned_;
        returned_ = false;
        return was;
    }

private:
    LevelEditor& editor_;
    bool playing_ = false;
    bool returned_ = false;
    std::string runFile_;
};

// Keeps the game's grid and view in step with the edited level's size and camera.
void FollowLevelShape(const Level& level, int32_t* width, int32_t* height) {
    if (level.width != *width || level.height != *height || !g_grid) {
        MakeFloorGrid(level);
        *width = level.width;
        *height = level.height;
    }
    if (level.camera) g_camera = *level.camera;
}

// Says on standard output what the status line says whenever a part of it changes, so the
// author's terminal (and a script) can follow the verdicts.
class StatusEcho {
public:
    void Follow(const LevelEditor& editor) {
        Echo(message_, editor.message(), "");
        Echo(check_, editor.CheckVerdict(), "check: ");
        Echo(solve_, editor.SolveVerdict(), "solve: ");
    }

private:
    static void Echo(std::string& last, const std::string& now, const char* label) {
        if (now == last) return;
        last = now;
        if (now.empty()) return;
        std::printf("tracklet: %s%s\n", label, now.c_str());
        std::fflush(stdout);
    }
    std::string message_, check_, solve_;
};

// A measured run of the editor, asked for through the environment and never set in editing:
// TRACKLET_BENCH_FRAMES=N draws N editor frames and prints "frames N mean M ms max X ms" (over
// the last nine tenths) on stdout, then quits. Every 30th frame is an edit, and the solver is
// started again whenever it ends, so every frame is drawn while it searches;
// TRACKLET_BENCH_SOLVER=0 keeps it stopped instead (the baseline the same frames are read against).
class EditorBench {
public:
    EditorBench() {
        const char* frames = std::getenv("TRACKLET_BENCH_FRAMES");
        frames_ = frames ? std::strtoll(frames, nullptr, 10) : 0;
        const char* solver = std::getenv("TRACKLET_BENCH_SOLVER");
        solver_ = !(solver && solver[0] == '0');
    }
    bool active() const { return frames_ > 0; }
    // Keeps the solver searching (or stopped) for the measured frames. Every 30th frame makes an
    // edit as the author does, placing an object on the cursor's tile and then undoing that, so
    // the measured frames include the check and the solver's restart that every edit brings.
    void Steer(LevelEditor& editor) {
        if (!active()) return;
        if (frame_ % 30 == 29) (frame_ / 30) % 2 == 0 ? editor.Place() : editor.Undo();
        if (!solver_) editor.solver().Stop();
        else if (editor.solver().Report()) editor.solver().Restart(editor.Text());
    }
    // Counts a frame that took `seconds`; true when all are drawn (the report is printed).
    bool Count(double seconds) {
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

private:
    long long frames_ = 0, frame_ = 0, counted_ = 0;
    bool solver_ = true;
    double total_ = 0.0, worst_ = 0.0;
};

}  // namespace

int RunEditMode(const EditModeOptions& options) {
    ResourceCatalogue& catalogue = *g_catalogue;
    const std::vector<std::string> kinds = PlaceableKinds(LoadedModelNames(catalogue));
    // Every name the editor can place is known before the solver's thread starts looking names up.
    for (const std::string& kind : kinds) ObjectName interned(kind);
    const std::unique_ptr<ResourceCatalogue> shapes = ShapesOf(catalogue);
    const ModelList models = StyleModels(catalogue);
    EditorOpening opening;
    opening.path = options.file;
    opening.newWidth = options.gridWidth;
    opening.newHeight = options.gridHeight;
    opening.newStyle = catalogue.StyleFolder(0);
    LevelEditor editor(opening, g_device, g_catalogue, kinds, &models, shapes.get());
    EditSession session(editor);
    EditorKeys keys;
    StatusEcho echo;
    EditorBench bench;
    g_showTitleMenu = false;
    g_showIntroduction = false;
    g_showGrid = true;
    int32_t width = -1, height = -1;

    FrameTimer timer(PerformanceFrequency(), PerformanceCounter());
    for (;;) {
        WindowMessage message;
        if (PeekWindowMessage(&message)) {
            if (message.message == kWmQuit) break;
            if (session.playing() || !session.HandleMessage(message)) DispatchWindowMessage(message);
            continue;
        }
        if (!g_device) break;
        if (session.playing()) {
            if (!RunFrame(timer, PerformanceCounter())) break;
            session.FollowTestPlay();
            continue;
        }
        if (session.Returned()) keys.Drain(SystemKeyboard());
        const int64_t frameStart = PerformanceCounter();
        timer.BeginFrame(frameStart);
        bench.Steer(editor);
        const EditorRequest request = keys.Poll(SystemKeyboard(), editor);
        if (request == EditorRequest::Quit) break;
        if (request == EditorRequest::TestPlay) {
            timer.EndFrame(PerformanceCounter());
            session.StartTestPlay();
            continue;
        }
        echo.Follow(editor);
        FollowLevelShape(editor.level(), &width, &height);
        DrawEditorFrame(editor, keys.prompt());
        const int64_t frameEnd = PerformanceCounter();
        timer.EndFrame(frameEnd);
        if (bench.Count(static_cast<double>(frameEnd - frameStart) / static_cast<double>(PerformanceFrequency()))) break;
    }
    editor.solver().Stop();
    ReleaseEditorDrawing();
    return 0;
}

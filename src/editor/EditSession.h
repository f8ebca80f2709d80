#pragma once
#include <cstdint>
#include <string>

class Level;
class LevelEditor;
struct InputEvent;

// The editor's session around the level being edited: the mouse on the grid, test play of the
// level as it is now, with its run recorded and kept when it wins.
class EditSession {
public:
    explicit EditSession(LevelEditor& editor) : editor_(editor) {}
    // A mouse event while editing: a move puts the cursor on the tile under the pointer, a left
    // click places the chosen kind there and a right click removes, the wheel changes the kind.
    void HandleEvent(const InputEvent& event);
    // Starts the level as it is now in the game's play mode, recording its run.
    void StartTestPlay();
    // True once the test play has ended (won, lost, or Escape raised the title menu); the editor
    // then has its message and, after a win, the run to save beside the level.
    bool FollowTestPlay();

private:
    LevelEditor& editor_;
    std::string runFile_;
};

// Keeps the game's grid and view in step with the edited level's size and camera.
void FollowLevelShape(const Level& level, int32_t* width, int32_t* height);

// Says on standard output what the status line says whenever a part of it changes, so the
// author's terminal (and a script) can follow the verdicts.
class StatusEcho {
public:
    void Follow(const LevelEditor& editor);

private:
    static void Echo(std::string& last, const std::string& now, const char* label);
    std::string message_, check_, solve_;
};

// A measured run of the editor, asked for through the environment and never set in editing:
// TRACKLET_BENCH_FRAMES=N draws N editor frames and prints "frames N mean M ms max X ms" (over
// the last nine tenths) on stdout, then quits. Every 30th frame is an edit, and the solver is
// started again whenever it ends, so every frame is drawn while it searches;
// TRACKLET_BENCH_SOLVER=0 keeps it stopped instead (the baseline the same frames are read against).
class EditorBench {
public:
    EditorBench();
    bool active() const { return frames_ > 0; }
    // Keeps the solver searching (or stopped) for the measured frames, and makes an edit every
    // 30th frame as the author does (placing an object on the cursor's tile, then undoing that).
    void Steer(LevelEditor& editor);
    // Counts a frame that took `seconds`; true when all are drawn (the report is printed).
    bool Count(double seconds);

private:
    long long frames_ = 0, frame_ = 0, counted_ = 0;
    bool solver_ = true;
    double total_ = 0.0, worst_ = 0.0;
};

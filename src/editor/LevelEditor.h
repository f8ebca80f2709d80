#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "authoring/Diagnostic.h"
#include "authoring/LevelCheck.h"
#include "editor/BackgroundSolver.h"
#include "editor/LevelEdits.h"
#include "level/Level.h"

class RenderDevice;
class ResourceCatalogue;

// What opening a level file in the editor makes of it.
struct EditorOpening {
    std::string path;          // the level file, as the level list names levels or any path
    int32_t newWidth = 8;      // the grid of a new level (the file does not exist)
    int32_t newHeight = 6;
    std::string newStyle;      // the style name a new level gets (style 0's folder)
};

// The level editor without its window: the level record being edited, the tile cursor, the kind
// and turn of the object to place, the edits done and undone, the checker's messages and the
// solver's verdict about the level as it is now, and saving. Every action is one call; the shell
// maps keys and clicks to them and draws what is here.
class LevelEditor {
public:
    // Opens the file: a file that loads is edited as it is; a missing one starts a new level
    // (grid newWidth by newHeight, the start on (0, 0) heading east, the finish on the last tile
    // heading east, speed 5, the opening view framed for the grid); one that does not load is
    // edited as far as it was read, unsaved, with the checker's first error as the message.
    // `kinds` are the placeable kinds in Tab order; `models` names the style's models for the
    // checker (may be null); `shapes` answers the solver's model lookups (see BackgroundSolver).
    LevelEditor(const EditorOpening& opening, RenderDevice* device, ResourceCatalogue* catalogue,
                std::vector<std::string> kinds, const ModelList* models, ResourceCatalogue* shapes);

    const Level& level() const { return *level_; }
    Level& level() { return *level_; }
    const std::string& path() const { return path_; }

    // The tile cursor.
    int32_t cursorX() const { return cursorX_; }
    int32_t cursorY() const { return cursorY_; }
    void MoveCursor(int32_t dx, int32_t dy);
    void SetCursor(int32_t x, int32_t y);

    // The object a click places: its kind (Tab order) and its turn in degrees (0, 90, 180, 270).
    const std::vector<std::string>& kinds() const { return kinds_; }
    std::string kind() const { return kinds_.empty() ? std::string() : kinds_[kindIndex_]; }
    size_t kindIndex() const { return kindIndex_; }
    int32_t turn() const { return turn_; }
    void NextKind(int32_t step);  // step +1 or -1, wrapping
    void TurnClockwise();

    // The edits (each recorded for undo); false when nothing changed.
    bool Place();
    bool Remove();
    bool PlaceStartHere();
    bool PlaceFinishHere();
    bool ChangeSpeedBy(int32_t delta);
    bool Resize(GridSide side, bool grow);
    bool Undo();
    bool Redo();

    // Writes the level file (and the kept winning run as NAME.sim beside it); a new level inside
    // levels/ is also added to levels.txt. The message says what was done or why not.
    bool Save();
    // True when the level differs from the file (or the file did not load), or a won test play's
    // run has not been saved beside it yet.
    bool Unsaved() const;

    // The level file's text for the level as it is now.
    std::string Text() const;
    // Keeps the run of a won test play (tracklet-sim script text) for the next save; any change
    // drops it.
    void KeepWinningRun(std::string script);
    bool HasWinningRun() const { return !winningRun_.empty(); }

    // The checker's messages about the level as it is now, and the tiles they concern.
    const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
    const std::vector<std::pair<int32_t, int32_t>>& markedTiles() const { return markedTiles_; }
    // "2 errors, 1 warning: TEXT" for the first message; "no errors, no warnings" when clean.
    std::string CheckVerdict() const;
    // The solver's words: "searching", "winnable in N shots (score S)", "no solution found (...)".
    std::string SolveVerdict() const { return solver_.Verdict(); }
    BackgroundSolver& solver() { return solver_; }

    // The status line: tile, object count, speed, the checker's and the solver's verdicts.
    std::string StatusLine() const;
    // The last action's message (saved, not saved, test play won...); may be empty.
    const std::string& message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }

private:
    bool Did(std::unique_ptr<LevelEdit> edit);
    void Changed();
    bool AddToLevelList();

    std::string path_;
    std::unique_ptr<Level> level_;
    std::vector<std::string> kinds_;
    const ModelList* models_;
    BackgroundSolver solver_;
    EditHistory history_;
    uint64_t savedMark_ = 0;
    bool fileLoads_ = true;  // the file on disk loads (or is yet to be made for a new level)
    bool isNew_ = false;     // no file yet: the first save makes it
    int32_t cursorX_ = 0, cursorY_ = 0;
    size_t kindIndex_ = 0;
    int32_t turn_ = 0;
    std::string winningRun_;
    bool runSaved_ = true;  // the kept winning run (if any) is in its file
    std::vector<Diagnostic> diagnostics_;
    std::vector<std::pair<int32_t, int32_t>> markedTiles_;
    std::string message_;
};

// The file a level's winning run is saved as: NAME.sim beside NAME.txt (".sim" added to a name
// without ".txt").
std::string RunPathFor(const std::string& levelPath);

// The name levels.txt gives a level file inside levels/ ("06_round_the_station.txt" for
// "levels/06_round_the_station.txt"); empty for a file elsewhere.
std::string ListedName(const std::string& levelPath);

// A new level record as LevelEditor makes one.
std::unique_ptr<Level> NewLevel(RenderDevice* device, ResourceCatalogue* catalogue, const std::string& style,
                                int32_t width, int32_t height);

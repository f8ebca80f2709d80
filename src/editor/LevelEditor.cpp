#include "editor/LevelEditor.h"

#include <algorithm>
#include <filesystem>

#include "authoring/LevelFraming.h"
#include "level/LevelWriter.h"
#include "level/TokenReader.h"
#include "platform/AtomicFile.h"

namespace {

std::string Plural(size_t n, const char* one, const char* many) {
    return (n == 0 ? std::string("no") : std::to_string(n)) + " " + (n == 1 ? one : many);
}

std::string Speed(float speed) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(speed));
    return buffer;
}

// The line of the level text each part of the level is written on (see LevelText): nine header
// lines, one line an entry, then start and finish.
constexpr int kFirstEntryLine = 10;

}  // namespace

std::unique_ptr<Level> NewLevel(RenderDevice* device, ResourceCatalogue* catalogue, const std::string& style,
                                int32_t width, int32_t height) {
    auto level = std::make_unique<Level>(device, catalogue);
    level->style = style;
    level->width = width;
    level->height = height;
    level->trainX = 0;
    level->trainY = 0;
    level->trainHeading = 'e';
    level->finishX = width - 1;
    level->finishY = height - 1;
    level->finishHeading = 'e';
    level->speed = 5.0f;
    const std::optional<Camera> view = FrameGrid(width, height, kFramingElevation);
    level->camera = std::make_unique<Camera>(view ? *view : Camera());
    level->TraceTrackEnd(level->trainX, level->trainY, level->trainHeading);
    return level;
}

std::string RunPathFor(const std::string& levelPath) {
    const std::filesystem::path path(levelPath);
    if (path.extension() == ".txt") return std::filesystem::path(path).replace_extension(".sim").string();
    return levelPath + ".sim";
}

std::string ListedName(const std::string& levelPath) {
    const std::filesystem::path path = std::filesystem::path(levelPath).lexically_normal();
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(path.parent_path(), ec);
    const std::filesystem::path levels = std::filesystem::absolute("levels", ec);
    if (ec || folder.lexically_normal() != levels.lexically_normal()) return "";
    return path.filename().string();
}

LevelEditor::LevelEditor(const EditorOpening& opening, RenderDevice* device, ResourceCatalogue* catalogue,
                         std::vector<std::string> kinds, const ModelList* models, ResourceCatalogue* shapes)
    : path_(opening.path), kinds_(std::move(kinds)), models_(models), solver_(shapes, EditorSearchLimits()) {
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) {
        isNew_ = true;
        level_ = NewLevel(device, catalogue, opening.newStyle, opening.newWidth, opening.newHeight);
        message_ = "new level: " + path_ + " is made at the first save";
    } else {
        level_ = std::make_unique<Level>(device, catalogue);
        std::string text;
        const bool read = ReadTextFile(path_, &text);
        const bool loaded = read && level_->LoadText(text) == 0 && !level_->loadStop;
        if (!loaded) {
            fileLoads_ = false;
            const std::vector<Diagnostic> found = read ? CheckLevelText(text, models_) : std::vector<Diagnostic>{};
            const auto error = std::find_if(found.begin(), found.end(),
                                            [](const Diagnostic& d) { return d.kind == Diagnostic::Kind::Error; });
            message_ = error != found.end() ? FormatDiagnostic(path_, *error)
                                            : path_ + ": error: cannot be opened for reading";
        }
        level_->objectCount = LevelEntryCount(*level_);
    }
    Changed();
}

void LevelEditor::MoveCursor(int32_t dx, int32_t dy) { SetCursor(cursorX_ + dx, cursorY_ + dy); }

void LevelEditor::SetCursor(int32_t x, int32_t y) {
    // The cursor stays on the grid (a grid that is gone keeps it at (0, 0)).
    cursorX_ = std::clamp(x, 0, std::max(level_->width - 1, 0));
    cursorY_ = std::clamp(y, 0, std::max(level_->height - 1, 0));
}

void LevelEditor::NextKind(int32_t step) {
    if (kinds_.empty()) return;
    const auto count = static_cast<int64_t>(kinds_.size());
    kindIndex_ = static_cast<size_t>(((static_cast<int64_t>(kindIndex_) + step) % count + count) % count);
}

void LevelEditor::TurnClockwise() { turn_ = (turn_ + 90) % 360; }

bool LevelEditor::Did(std::unique_ptr<LevelEdit> edit) {
    if (!edit) return false;
    history_.Do(*level_, std::move(edit));
    Changed();
    return true;
}

bool LevelEditor::Place() {
    if (kinds_.empty()) return false;
    return Did(PlaceObject(*level_, kind(), cursorX_, cursorY_, turn_));
}

bool LevelEditor::Remove() { return Did(RemoveObject(*level_, cursorX_, cursorY_)); }

bool LevelEditor::PlaceStartHere() { return Did(PlaceStart(*level_, cursorX_, cursorY_)); }

bool LevelEditor::PlaceFinishHere() { return Did(PlaceFinish(*level_, cursorX_, cursorY_)); }

bool LevelEditor::ChangeSpeedBy(int32_t delta) { return Did(ChangeSpeed(*level_, delta)); }

bool LevelEditor::Resize(GridSide side, bool grow) {
    const bool columns = side == GridSide::West || side == GridSide::East;
    const int32_t width = level_->width + (columns ? (grow ? 1 : -1) : 0);
    const int32_t height = level_->height + (columns ? 0 : (grow ? 1 : -1));
    if (!Did(ResizeGrid(*level_, side, grow, FrameGrid(width, height, kFramingElevation)))) return false;
    // The cursor keeps to its tile when the grid grows or shrinks at the west or north.
    const int32_t shift = grow ? 1 : -1;
    if (side == GridSide::West) MoveCursor(shift, 0);
    else if (side == GridSide::North) MoveCursor(0, shift);
    else SetCursor(cursorX_, cursorY_);
    return true;
}

bool LevelEditor::Undo() {
    if (!history_.Undo(*level_)) return false;
    Changed();
    SetCursor(cursorX_, cursorY_);
    return true;
}

bool LevelEditor::Redo() {
    if (!history_.Redo(*level_)) return false;
    Changed();
    SetCursor(cursorX_, cursorY_);
    return true;
}

std::string LevelEditor::Text() const { return LevelText(*level_); }

void LevelEditor::KeepWinningRun(std::string script) {
    winningRun_ = std::move(script);
    runSaved_ = winningRun_.empty();
}

void LevelEditor::Changed() {
    winningRun_.clear();
    runSaved_ = true;
    const std::string text = Text();
    diagnostics_ = CheckLevelText(text, models_);
    // Each message names a line of the text: an object entry, the start or the finish.
    markedTiles_.clear();
    const auto entries = static_cast<int>(LevelEntryCount(*level_));
    std::vector<std::pair<int32_t, int32_t>> entryTiles;
    for (size_t i = 0; i < level_->objects.size(); ++i) {
        entryTiles.emplace_back(level_->objects[i].x, level_->objects[i].y);
        if (StationRingFollows(*level_, i)) i += 8;
    }
    for (const Diagnostic& d : diagnostics_) {
        const int entry = d.line - kFirstEntryLine;
        if (entry >= 0 && entry < entries) markedTiles_.push_back(entryTiles[static_cast<size_t>(entry)]);
        else if (entry == entries) markedTiles_.emplace_back(level_->trainX, level_->trainY);
        else if (entry == entries + 1) markedTiles_.emplace_back(level_->finishX, level_->finishY);
    }
    solver_.Restart(text);
}

std::string LevelEditor::CheckVerdict() const {
    size_t errors = 0, warnings = 0;
    for (const Diagnostic& d : diagnostics_) (d.kind == Diagnostic::Kind::Error ? errors : warnings)++;
    std::string verdict = Plural(errors, "error", "errors") + ", " + Plural(warnings, "warning", "warnings");
    if (!diagnostics_.empty()) verdict += ": " + FormatDiagnostic(path_, diagnostics_.front());
    return verdict;
}

std::string LevelEditor::StatusLine() const {
    return "tile (" + std::to_string(cursorX_) + ", " + std::to_string(cursorY_) + ")  objects " +
           std::to_string(level_->objectCount) + "  speed " + Speed(level_->speed) + "\ncheck: " + CheckVerdict() +
           "\nsolve: " + SolveVerdict();
}

bool LevelEditor::Unsaved() const { return !fileLoads_ || history_.Mark() != savedMark_ || !runSaved_; }

bool LevelEditor::AddToLevelList() {
    const std::string name = ListedName(path_);
    std::string list;
    ReadTextFile("levels.txt", &list);
    if (!list.empty() && list.back() != '\n') list += '\n';
    return ReplaceFile("levels.txt", list + name + "\n");
}

bool LevelEditor::Save() {
    std::string why;
    if (!SaveLevel(*level_, path_, &why)) {
        message_ = "not saved: " + path_ + ": " + why;
        return false;
    }
    message_ = "saved " + path_;
    if (!winningRun_.empty()) {
        const std::string runPath = RunPathFor(path_);
        runSaved_ = ReplaceFile(runPath, winningRun_, &why);
        message_ += runSaved_ ? " and its winning run " + runPath : "; the winning run was not saved: " + why;
    }
    if (isNew_) {
        const std::string name = ListedName(path_);
        if (name.empty()) message_ += "; not in levels/, so not added to levels.txt";
        else if (AddToLevelList()) message_ += "; added " + name + " to levels.txt";
        else message_ += "; levels.txt could not be written";
        isNew_ = false;
    }
    fileLoads_ = true;
    savedMark_ = history_.Mark();
    return true;
}

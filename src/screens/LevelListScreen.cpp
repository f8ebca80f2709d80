#include "screens/LevelListScreen.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "graphics/GraphicsSetup.h"
#include "graphics/SceneRendering.h"
#include "graphics/ScreenDrawing.h"
#include "platform/Keyboard.h"
#include "profile/LevelIdentity.h"
#include "profile/ProfileSession.h"
#include "resources/ResourceCatalogue.h"
#include "screens/InputPath.h"
#include "screens/WatchScreen.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

using Tone = ScreenLook::Tone;
using Size = ScreenLook::Size;

std::string ResultLine(const LevelRecord* record) {
    if (!record || !record->won) return "Not won yet";
    if (record->hinted) return "Won    hinted";
    return "Won    best score " + std::to_string(record->bestScore) + "    best time " + FormatSeconds(record->bestTime);
}

// Draws the opening view of the level file into `area` of the back buffer, as the level tool's
// render does, and keeps it as a picture. The level in play, its grid, camera and bullets are put
// back afterwards.
std::unique_ptr<Texture> MakePicture(const std::string& path, const Rect& area) {
    std::unique_ptr<Level> level = std::move(g_level);
    std::unique_ptr<FloorGrid> grid = std::move(g_grid);
    std::vector<Bullet> bullets = std::move(g_bullets);
    const Camera camera = g_camera;
    const Matrix4 projection = g_projection;
    const bool paused = g_paused;

    g_paused = false;
    Texture* made = nullptr;
    if (LoadLevelFromPath(path) == 0 && g_level) {
        const uint32_t w = static_cast<uint32_t>(area.right - area.left), h = static_cast<uint32_t>(area.bottom - area.top);
        g_projection = GameProjection(w, h);
        g_device->SetViewport(ViewportOf(area));
        g_device->SetTransform(TransformType::Projection, g_projection);
        if (BeginPlayFrame()) {
            DrawLevelScene(false);
            g_device->EndScene();
            g_device->CaptureImage(area, &made);
        }
    }
    g_bullets = std::move(bullets);
    g_level = std::move(level);
    g_grid = std::move(grid);
    g_camera = camera;
    g_projection = projection;
    g_paused = paused;
    g_device->SetTransform(TransformType::Projection, g_projection);
    RestoreWholeScreen();
    return std::unique_ptr<Texture>(made);
}

}  // namespace

LevelListScreen::LevelListScreen()
    : sets_(ShownLevelSets()), standings_(StandingOfSets(sets_)), rows_(ArrangeListRows(sets_, standings_)) {
    look_.Measure();
    const int32_t current = RowOfLevel(rows_, g_levelIndex);
    ChooseRow(current >= 0 ? current : StepLevelRows(rows_, -1, 1));
}

LevelListScreen::~LevelListScreen() = default;

LevelListLayout LevelListScreen::Layout() const { return LayOutLevelList(look_.Body(), look_.scale()); }

void LevelListScreen::ChooseRow(int32_t row) {
    if (row < 0 || row >= RowCount() || rows_[static_cast<size_t>(row)].kind != ListRow::Kind::Level) return;
    const int32_t level = rows_[static_cast<size_t>(row)].level;
    if (level != chosen_) said_.clear();
    chosen_ = level;
    first_ = ScrollToShow(row, first_, Layout().rowsShown, RowCount());
    // The heading of the set at the top of the page stays in view with its first levels.
    if (first_ == row && row > 0 && rows_[static_cast<size_t>(row - 1)].kind == ListRow::Kind::Heading) --first_;
}

ScreenChange LevelListScreen::Play(int32_t level) {
    g_levelIndex = level;
    LoadLevel(g_levelIndex);
    g_showTitleMenu = false;
    g_showIntroduction = false;
    return ScreenChange::Pop();
}

ScreenChange LevelListScreen::Watch(int32_t level) {
    const std::string& name = g_catalogue->levels[static_cast<size_t>(level)];
    const LevelRecord* record = RecordOfListedLevel(name);
    // The best run of the level before its file changed is tried, to say that it no longer fits.
    if (!record || record->replay.empty()) record = EarlierRecordOfListedLevel(name);
    if (!record) {
        said_ = "No run of this level to watch yet: win it first.";
        return ScreenChange::Stay();
    }
    std::string why;
    std::unique_ptr<WatchScreen> watch = WatchScreen::Start(ProfileFolders().ReplayFolder() + "/" + record->replay, &why);
    if (!watch) {
        std::cerr << "tracklet: cannot watch the run: " << why << "\n";
        said_ = "This run no longer fits its level and cannot be watched.";
        return ScreenChange::Stay();
    }
    return ScreenChange::Push(std::move(watch));
}

ScreenChange LevelListScreen::Update(ScreenFrame& frame) {
    const InputPath& input = frame.input;
    ToggleMusicOnM(input);
    const LevelListLayout layout = Layout();
    const int32_t chosenRow = RowOfLevel(rows_, chosen_);
    for (const InputEvent& event : input.Events()) {
        switch (event.kind) {
            case InputEvent::Kind::KeyDown:
                if (event.key == kVkUp) ChooseRow(StepLevelRows(rows_, chosenRow, -1));
                if (event.key == kVkDown) ChooseRow(StepLevelRows(rows_, chosenRow, 1));
                if (chosen_ >= 0 && (event.key == kVkSpace || event.key == kVkReturn)) return Play(chosen_);
                if (chosen_ >= 0 && event.key == 'W') return Watch(chosen_);
                break;
            case InputEvent::Kind::KeyUp:
                if (event.key == kVkEscape) return ScreenChange::Pop();
                break;
            case InputEvent::Kind::MouseMove:
            case InputEvent::Kind::LeftClick: {
                const int32_t slot = layout.SlotAt(event.x, event.y);
                const int32_t row = first_ + slot;
                const bool onLevel = slot >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].kind == ListRow::Kind::Level;
                hovered_ = onLevel ? rows_[static_cast<size_t>(row)].level : -1;
                if (hovered_ < 0) break;
                ChooseRow(row);
                if (event.kind == InputEvent::Kind::LeftClick) return Play(hovered_);
                break;
            }
            case InputEvent::Kind::Wheel: ChooseRow(StepLevelRows(rows_, chosenRow, -event.notches)); break;
            case InputEvent::Kind::RightClick: break;
        }
    }
    return ScreenChange::Stay();
}

Texture* LevelListScreen::PictureOf(const std::string& path, const Rect& area) {
    if (picturesDevice_ != g_device) {
        pictures_.clear();
        picturesDevice_ = g_device;
    }
    auto found = pictures_.find(path);
    if (found == pictures_.end()) found = pictures_.emplace(path, MakePicture(path, area)).first;
    return found->second.get();
}

void LevelListScreen::DrawRow(const LevelListLayout& layout, int32_t slot, const ListRow& listRow) {
    const int32_t level = listRow.level;
    const std::string& name = g_catalogue->levels[static_cast<size_t>(level)];
    const Rect row = layout.Row(slot);
    if (level == chosen_) {
        look_.MarkChosen(row);
    } else if (level == hovered_) {
        look_.MarkHovered(row);
    }
    const Rect picture = layout.Picture(slot);
    const int32_t edge = look_.Scaled(2);
    FillRect(Rect{picture.left - edge, picture.top - edge, picture.right + edge, picture.bottom + edge}, 0xFFE8A33Cu);
    DrawImage(PictureOf(LevelPath(name), picture), picture);
    const LevelRecord* record = RecordOfListedLevel(name);
    const int32_t textLeft = picture.right + look_.Scaled(20);
    const int32_t middle = row.top + layout.rowHeight / 2;
    look_.Text(std::to_string(level + 1) + ". " + ReadableLevelName(name), textLeft,
               middle - look_.LineHeight(Size::Text) - look_.Scaled(2), Tone::Text, Size::Text);
    const std::optional<LevelGoals>& goals = sets_[static_cast<size_t>(listRow.set)].goals[static_cast<size_t>(listRow.inSet)];
    if (goals) {
        LevelMarks marks = MarksOf(record, goals);
        // A win on an earlier version of the file still counts as won, as it does for the sets.
        marks.won = marks.won || EverWon(CurrentProgress(), LevelFileName(LevelPath(name)));
        DrawMarks(marks, goals, record, textLeft, middle + look_.Scaled(4));
    } else {
        look_.Text(ResultLine(record), textLeft, middle + look_.Scaled(4), record && record->won ? Tone::Won : Tone::Quiet,
                   Size::Small);
    }
}

void LevelListScreen::DrawMarks(const LevelMarks& marks, const std::optional<LevelGoals>& goals,
                                const LevelRecord* record, int32_t left, int32_t top) {
    // A hinted win has no best score or time to show.
    const bool won = record && record->won && !record->hinted;
    const std::string score = "Score goal " + std::to_string(goals->score) + (won ? ", best " + std::to_string(record->bestScore) : "");
    const std::string time = "Time goal " + FormatSeconds(goals->seconds) + (won ? ", best " + FormatSeconds(record->bestTime) : "");
    const int32_t side = look_.LineHeight(Size::Small) * 3 / 5;
    const int32_t markTop = top + (look_.LineHeight(Size::Small) - side) / 2;
    int32_t x = left;
    for (const auto& [reached, text] : {std::pair{marks.won, std::string(record && record->hinted ? "Won, hinted" : "Won")}, std::pair{marks.scoreGoal, score},
                                        std::pair{marks.timeGoal, time}}) {
        look_.Mark(x, markTop, side, reached);
        x += side + look_.Scaled(6);
        look_.Text(text, x, top, reached ? Tone::Won : Tone::Quiet, Size::Small);
        x += look_.TextWidth(text, Size::Small) + look_.Scaled(22);
    }
}

void LevelListScreen::DrawHeading(const LevelListLayout& layout, int32_t slot, int32_t set) {
    const ShownSet& shown = sets_[static_cast<size_t>(set)];
    const SetStanding& standing = standings_[static_cast<size_t>(set)];
    const Rect row = layout.Row(slot);
    const int32_t left = row.left + look_.Scaled(12);
    const int32_t middle = row.top + layout.rowHeight / 2;
    look_.Text(shown.name, left, middle - look_.LineHeight(Size::Text) - look_.Scaled(2), standing.open ? Tone::Title : Tone::Quiet,
               Size::Text);
    std::string line = std::to_string(standing.won) + " of " + std::to_string(shown.levels.size()) + " levels won";
    if (standing.goalsTotal > 0)
        line += "    " + std::to_string(standing.goals) + " of " + std::to_string(standing.goalsTotal) + " goals reached";
    if (!standing.open) {
        const SetStanding& before = standings_[static_cast<size_t>(set - 1)];
        line = "Closed: opens when " + std::to_string(standing.winsToOpen) + " levels of " +
               sets_[static_cast<size_t>(set - 1)].name + " are won (" + std::to_string(before.won) + " so far)";
    }
    look_.Text(line, left, middle + look_.Scaled(4), standing.open ? Tone::Text : Tone::Warning, Size::Small);
}

void LevelListScreen::Draw(const ScreenFrame&) {
    if (!g_device || !g_catalogue) return;
    const std::string keys = said_.empty() ? "Up, Down: choose    Space: play    W: watch the best run    Escape: back" : said_;
    const int32_t count = RowCount();
    const auto levelRow = [&](int32_t row) { return rows_[static_cast<size_t>(row)].kind == ListRow::Kind::Level; };
    // Pictures not yet made are drawn into the back buffer before this frame's page, in the places
    // of the last page measured; the page then measures again and scrolls the choice into view.
    LevelListLayout layout = Layout();
    for (int32_t slot = 0; slot < layout.rowsShown && first_ + slot < count; ++slot)
        if (levelRow(first_ + slot))
            PictureOf(LevelPath(g_catalogue->levels[static_cast<size_t>(rows_[static_cast<size_t>(first_ + slot)].level)]),
                      layout.Picture(slot));
    if (!look_.BeginPage("Levels", keys)) return;
    layout = Layout();
    const int32_t chosenRow = RowOfLevel(rows_, chosen_);
    if (chosenRow >= 0) first_ = ScrollToShow(chosenRow, first_, layout.rowsShown, count);
    for (int32_t slot = 0; slot < layout.rowsShown && first_ + slot < count; ++slot) {
        const ListRow& row = rows_[static_cast<size_t>(first_ + slot)];
        if (row.kind == ListRow::Kind::Level) {
            DrawRow(layout, slot, row);
        } else {
            DrawHeading(layout, slot, row.set);
        }
    }
    const int32_t right = look_.width() - look_.Scaled(60);
    const int32_t top = look_.Scaled(40);
    if (first_ > 0) look_.Text("more above", right - look_.Scaled(110), top, Tone::Quiet, Size::Small, right + look_.Scaled(30));
    if (first_ + layout.rowsShown < count)
        look_.Text("more below", right - look_.Scaled(110), top + look_.LineHeight(Size::Small), Tone::Quiet,
                   Size::Small, right + look_.Scaled(30));
    look_.EndPage();
}

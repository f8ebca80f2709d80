#include "screens/LevelListScreen.h"

#include <algorithm>
#include <ctime>
#include <iostream>
#include <vector>

#include "graphics/GraphicsSetup.h"
#include "graphics/HeadUpDisplay.h"
#include "graphics/SceneRendering.h"
#include "graphics/ScreenDrawing.h"
#include "platform/Keyboard.h"
#include "authoring/LevelCode.h"
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
    : sets_(ShownLevelSets()), standings_(StandingOfSets(sets_)), rows_(ArrangeListRows(sets_, standings_)),
      daySeed_(DaySeed(std::time(nullptr))) {
    const bool ownInPlay = !OwnLevelOrigin().Empty();
    AppendNewLevelRows(&rows_, ownInPlay);
    look_.Measure();
    // The day's best, as the profile keeps it for the level's file once it has been played.
    const std::string day = SeedLevelPath(daySeed_, Difficulty::Medium);
    if (const LevelRecord* record = FindRecord(CurrentProgress(), LevelFileName(day), LevelFileHash(day))) dayRecord_ = *record;
    const int32_t current = ownInPlay ? RowOfNewLevel(rows_, NewLevel::InPlay) : RowOfLevel(rows_, g_levelIndex);
    ChooseRow(current >= 0 ? current : StepLevelRows(rows_, -1, 1));
}

LevelListScreen::~LevelListScreen() = default;

LevelListLayout LevelListScreen::Layout() const {
    // The bottom line of the body holds the chosen level's seed or code.
    Rect body = look_.Body();
    body.bottom -= look_.LineHeight(Size::Small) + look_.Scaled(6);
    return LayOutLevelList(body, look_.scale());
}

int32_t LevelListScreen::LevelAt(int32_t row) const {
    if (row < 0 || row >= RowCount() || rows_[static_cast<size_t>(row)].kind != ListRow::Kind::Level) return -1;
    return rows_[static_cast<size_t>(row)].level;
}

std::optional<NewLevel> LevelListScreen::chosenNew() const {
    if (chosenRow_ < 0 || rows_[static_cast<size_t>(chosenRow_)].kind != ListRow::Kind::New) return std::nullopt;
    return rows_[static_cast<size_t>(chosenRow_)].made;
}

void LevelListScreen::ChooseRow(int32_t row) {
    if (row < 0 || row >= RowCount() || !rows_[static_cast<size_t>(row)].Choosable()) return;
    if (row != chosenRow_) said_.clear();
    chosenRow_ = row;
    first_ = ScrollToShow(row, first_, Layout().rowsShown, RowCount());
    // The heading of the set at the top of the page stays in view with its first levels.
    if (first_ == row && row > 0 && rows_[static_cast<size_t>(row - 1)].kind == ListRow::Kind::Heading) --first_;
}

ScreenChange LevelListScreen::Play(int32_t level) {
    PlayOwnLevel("", {});
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

ScreenChange LevelListScreen::StartOwnLevel(const std::string& path, const LevelOrigin& origin) {
    PlayOwnLevel(path, origin);
    g_levelIndex = 0;
    LoadLevel(0);
    g_showTitleMenu = false;
    g_showIntroduction = false;
    return ScreenChange::Pop();
}

ScreenChange LevelListScreen::Make(const Making& making) {
    std::string path, why;
    if (!MakeSeedLevel(making.seed, making.difficulty, &path, &why)) {
        said_ = "No level: " + why + ".";
        return ScreenChange::Stay();
    }
    return StartOwnLevel(path, LevelOrigin{making.seed, DifficultyName(making.difficulty), ""});
}

ScreenChange LevelListScreen::Activate(int32_t row) {
    if (row < 0) return ScreenChange::Stay();
    const ListRow& chosen = rows_[static_cast<size_t>(row)];
    if (chosen.kind == ListRow::Kind::Level) return Play(chosen.level);
    switch (chosen.made) {
        case NewLevel::InPlay: return StartOwnLevel(StartedLevelPath(), OwnLevelOrigin());
        case NewLevel::Easy: making_ = Making{RandomSeed(), Difficulty::Easy}; break;
        case NewLevel::Medium: making_ = Making{RandomSeed(), Difficulty::Medium}; break;
        case NewLevel::Hard: making_ = Making{RandomSeed(), Difficulty::Hard}; break;
        case NewLevel::Typed:
            typing_ = true;
            said_.clear();
            return ScreenChange::Stay();
        case NewLevel::Day: making_ = Making{daySeed_, Difficulty::Medium}; break;
    }
    said_ = "Making a " + std::string(DifficultyName(making_->difficulty)) + " level from the seed " + making_->seed + "...";
    return ScreenChange::Stay();
}

void LevelListScreen::StepTypedDifficulty(int step) {
    typedDifficulty_ = static_cast<Difficulty>((static_cast<int>(typedDifficulty_) + 3 + step) % 3);
}

ScreenChange LevelListScreen::Type(const std::vector<KeyPress>& presses) {
    constexpr size_t kLongestSeed = 64;
    for (const KeyPress& press : presses) {
        const int vk = press.vk;
        char typed = 0;
        if (vk >= 'A' && vk <= 'Z') typed = static_cast<char>(press.shift ? vk : vk - 'A' + 'a');
        if (vk >= '0' && vk <= '9') typed = static_cast<char>(vk);
        if (vk == kVkMinus) typed = press.shift ? '_' : '-';
        if (vk == kVkSpace) typed = ' ';
        if (typed && !press.ctrl && typed_.size() < kLongestSeed) typed_ += typed;
        if (vk == kVkBack && !typed_.empty()) typed_.pop_back();
        if (vk == kVkLeft || vk == kVkRight) StepTypedDifficulty(vk == kVkLeft ? -1 : 1);
        if (vk == kVkEscape) {
            typing_ = false;
            swallowEscape_ = true;
            return ScreenChange::Stay();
        }
        if (vk == kVkReturn && !typed_.empty()) {
            typing_ = false;
            making_ = Making{typed_, typedDifficulty_};
            said_ = "Making a " + std::string(DifficultyName(typedDifficulty_)) + " level from the seed " + typed_ + "...";
            return ScreenChange::Stay();
        }
    }
    return ScreenChange::Stay();
}

std::string LevelListScreen::ShareText() {
    if (chosenRow_ < 0) return "";
    const ListRow& row = rows_[static_cast<size_t>(chosenRow_)];
    if (row.kind == ListRow::Kind::Level) {
        auto found = codes_.find(row.level);
        if (found == codes_.end()) {
            // Read as the level tool reads it: the text alone, no models or sounds.
            Level level(nullptr, nullptr);
            const std::string path = LevelPath(g_catalogue->levels[static_cast<size_t>(row.level)]);
            const bool loads = level.Load(path) == 0 && !level.loadStop;
            found = codes_.emplace(row.level, loads ? EncodeLevelCode(level) : "").first;
        }
        return found->second;
    }
    switch (row.made) {
        case NewLevel::InPlay: return OriginToShare(OwnLevelOrigin());
        case NewLevel::Typed: return typed_;
        case NewLevel::Day: return daySeed_;
        default: return "";
    }
}

std::string LevelListScreen::ShareLine() {
    const std::optional<NewLevel> made = chosenNew();
    const std::string text = ShareText();
    if (text.empty()) return made ? "A new seed is drawn for each level made." : "";
    if (!made) return "Code " + text + "    Ctrl+C copies it";
    if (made == NewLevel::InPlay) return OriginLine(OwnLevelOrigin()) + "    Ctrl+C copies it";
    const Difficulty difficulty = made == NewLevel::Typed ? typedDifficulty_ : Difficulty::Medium;
    return OriginLine(LevelOrigin{text, DifficultyName(difficulty), ""}) + "    Ctrl+C copies the seed";
}

void LevelListScreen::Copy(Clipboard& clipboard) {
    const std::string text = ShareText();
    if (text.empty()) {
        said_ = "Nothing to copy: a new seed is drawn when the level is made.";
    } else {
        const char* what = chosenNew() && chosenNew() != NewLevel::InPlay ? "seed" : "code";
        if (chosenNew() == NewLevel::InPlay && OwnLevelOrigin().Generated()) what = "seed";
        said_ = clipboard.Set(text) ? std::string("The ") + what + " is on the clipboard." : "The clipboard refused the text.";
    }
}

ScreenChange LevelListScreen::Paste(Clipboard& clipboard) {
    std::string path, code, why;
    if (!MakeCodeLevel(clipboard.Get(), &path, &code, &why)) {
        said_ = "The pasted code does not make a level: " + why + ".";
        return ScreenChange::Stay();
    }
    return StartOwnLevel(path, LevelOrigin{"", "", code});
}

ScreenChange LevelListScreen::Update(ScreenFrame& frame) {
    InputPath& input = frame.input;
    if (making_) {
        // The page has said what is being made; the making holds this frame.
        const Making making = *making_;
        making_.reset();
        return Make(making);
    }
    const std::vector<KeyPress> presses = input.TakeKeyPresses();
    if (typing_) return Type(presses);
    for (const KeyPress& press : presses) {
        if (press.ctrl && press.vk == 'C') Copy(frame.Clip());
        if (press.ctrl && press.vk == 'V') return Paste(frame.Clip());
    }
    ToggleMusicOnM(input);
    const LevelListLayout layout = Layout();
    const std::optional<NewLevel> made = chosenNew();
    for (const InputEvent& event : input.Events()) {
        switch (event.kind) {
            case InputEvent::Kind::KeyDown:
                if (event.key == kVkUp) ChooseRow(StepLevelRows(rows_, chosenRow_, -1));
                if (event.key == kVkDown) ChooseRow(StepLevelRows(rows_, chosenRow_, 1));
                if (made == NewLevel::Typed && (event.key == kVkLeft || event.key == kVkRight))
                    StepTypedDifficulty(event.key == kVkLeft ? -1 : 1);
                if (chosenRow_ >= 0 && (event.key == kVkSpace || event.key == kVkReturn)) return Activate(chosenRow_);
                if (chosen() >= 0 && event.key == 'W') return Watch(chosen());
                break;
            case InputEvent::Kind::KeyUp:
                if (event.key == kVkEscape && swallowEscape_) {
                    swallowEscape_ = false;
                } else if (event.key == BoundKey(Action::Back)) {
                    return ScreenChange::Pop();
                }
                break;
            case InputEvent::Kind::MouseMove:
            case InputEvent::Kind::LeftClick: {
                const int32_t slot = layout.SlotAt(event.x, event.y);
                const int32_t row = first_ + slot;
                const bool onRow = slot >= 0 && row < RowCount() && rows_[static_cast<size_t>(row)].Choosable();
                hoveredRow_ = onRow ? row : -1;
                if (!onRow) break;
                ChooseRow(row);
                if (event.kind == InputEvent::Kind::LeftClick) return Activate(row);
                break;
            }
            case InputEvent::Kind::Wheel: ChooseRow(StepLevelRows(rows_, chosenRow_, -event.notches)); break;
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
    if (first_ + slot == chosenRow_) {
        look_.MarkChosen(row);
    } else if (first_ + slot == hoveredRow_) {
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

void LevelListScreen::DrawNewHeading(const LevelListLayout& layout, int32_t slot) {
    const Rect row = layout.Row(slot);
    const int32_t left = row.left + look_.Scaled(12);
    const int32_t middle = row.top + layout.rowHeight / 2;
    look_.Text("New levels", left, middle - look_.LineHeight(Size::Text) - look_.Scaled(2), Tone::Title, Size::Text);
    look_.Text("Made from a seed, each proven winnable before it is shown    Ctrl+V: play a pasted code", left,
               middle + look_.Scaled(4), Tone::Text, Size::Small);
}

void LevelListScreen::DrawNewRow(const LevelListLayout& layout, int32_t slot, const ListRow& listRow) {
    const Rect row = layout.Row(slot);
    if (first_ + slot == chosenRow_) {
        look_.MarkChosen(row);
    } else if (first_ + slot == hoveredRow_) {
        look_.MarkHovered(row);
    }
    const Rect picture = layout.Picture(slot);
    const int32_t edge = look_.Scaled(2);
    FillRect(Rect{picture.left - edge, picture.top - edge, picture.right + edge, picture.bottom + edge}, 0xFFE8A33Cu);
    FillRect(picture, 0xFF141C3Cu);
    std::string badge, title, line;
    const LevelRecord* record = nullptr;
    switch (listRow.made) {
        case NewLevel::InPlay:
            badge = "again";
            title = "The level in play, again";
            line = OriginLine(OwnLevelOrigin());
            break;
        case NewLevel::Easy:
        case NewLevel::Medium:
        case NewLevel::Hard: {
            const Difficulty difficulty = static_cast<Difficulty>(static_cast<int>(listRow.made) - static_cast<int>(NewLevel::Easy));
            badge = DifficultyName(difficulty);
            title = "A new " + badge + " level";
            line = "From a random seed";
            break;
        }
        case NewLevel::Typed:
            badge = "seed";
            title = "A level from your own seed";
            line = typing_ ? "Seed: " + typed_ + "_" : "Enter: type a seed";
            line += "    Difficulty: " + std::string(DifficultyName(typedDifficulty_)) + " (Left, Right)";
            break;
        case NewLevel::Day:
            badge = daySeed_.substr(5);
            title = "Today's level, " + daySeed_;
            line = "Medium, the same for every player today";
            if (dayRecord_) record = &*dayRecord_;
            if (record && record->won) line = ResultLine(record);
            break;
    }
    look_.Text(badge, picture.left + look_.Scaled(10), picture.top + (picture.bottom - picture.top - look_.LineHeight(Size::Text)) / 2,
               Tone::Title, Size::Text, picture.right);
    const int32_t textLeft = picture.right + look_.Scaled(20);
    const int32_t middle = row.top + layout.rowHeight / 2;
    look_.Text(title, textLeft, middle - look_.LineHeight(Size::Text) - look_.Scaled(2), Tone::Text, Size::Text);
    look_.Text(line, textLeft, middle + look_.Scaled(4), record && record->won ? Tone::Won : Tone::Quiet, Size::Small);
}

std::string LevelListScreen::KeyLine(bool pad) const {
    if (!said_.empty()) return said_;
    if (typing_) return "Type a seed    Enter: make the level and play    Escape: stop typing";
    if (pad && chosenNew()) return "D-pad: choose    A: make the level and play    B: back";
    if (pad) return "D-pad: choose    A: play    Y: watch the best run    B: back";
    if (chosenNew())
        return "Up, Down: choose    Space: make the level and play    Ctrl+V: play a pasted code    " +
               BoundKeyName(Action::Back) + ": back";
    return "Up, Down: choose    Space: play    W: watch the best run    Ctrl+V: play a pasted code    " +
           BoundKeyName(Action::Back) + ": back";
}

void LevelListScreen::Draw(const ScreenFrame& frame) {
    if (!g_device || !g_catalogue) return;
    const std::string keys = KeyLine(frame.input.PadUsed());
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
    if (chosenRow_ >= 0) first_ = ScrollToShow(chosenRow_, first_, layout.rowsShown, count);
    for (int32_t slot = 0; slot < layout.rowsShown && first_ + slot < count; ++slot) {
        const ListRow& row = rows_[static_cast<size_t>(first_ + slot)];
        switch (row.kind) {
            case ListRow::Kind::Level: DrawRow(layout, slot, row); break;
            case ListRow::Kind::Heading: DrawHeading(layout, slot, row.set); break;
            case ListRow::Kind::NewHeading: DrawNewHeading(layout, slot); break;
            case ListRow::Kind::New: DrawNewRow(layout, slot, row); break;
        }
    }
    const std::string share = ShareLine();
    if (!share.empty()) {
        const auto measure = [this](const std::string& text) { return static_cast<int>(look_.TextWidth(text, Size::Small)); };
        const Rect body = look_.Body();
        const int32_t left = body.left + look_.Scaled(12);
        look_.Text(FitLabel(share, body.right - left - look_.Scaled(12), measure), left, body.bottom - look_.LineHeight(Size::Small),
                   Tone::Quiet, Size::Small, body.right);
    }
    const int32_t right = look_.width() - look_.Scaled(60);
    const int32_t top = look_.Scaled(40);
    if (first_ > 0) look_.Text("more above", right - look_.Scaled(110), top, Tone::Quiet, Size::Small, right + look_.Scaled(30));
    if (first_ + layout.rowsShown < count)
        look_.Text("more below", right - look_.Scaled(110), top + look_.LineHeight(Size::Small), Tone::Quiet,
                   Size::Small, right + look_.Scaled(30));
    look_.EndPage();
}

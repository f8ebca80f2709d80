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

int32_t LevelCount() { return g_catalogue ? static_cast<int32_t>(g_catalogue->levels.size()) : 0; }

std::string ResultLine(const LevelRecord* record) {
    if (!record || !record->won) return "Not won yet";
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

LevelListScreen::LevelListScreen() {
    look_.Measure();
    Choose(g_levelIndex);
}

LevelListScreen::~LevelListScreen() = default;

LevelListLayout LevelListScreen::Layout() const { return LayOutLevelList(look_.Body(), look_.scale()); }

void LevelListScreen::Choose(int32_t level) {
    const int32_t count = LevelCount();
    if (count == 0) return;
    level = std::max(0, std::min(level, count - 1));
    if (level != chosen_) said_.clear();
    chosen_ = level;
    first_ = ScrollToShow(chosen_, first_, Layout().rowsShown, count);
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
    for (const InputEvent& event : input.Events()) {
        switch (event.kind) {
            case InputEvent::Kind::KeyDown:
                if (event.key == kVkUp) Choose(chosen_ - 1);
                if (event.key == kVkDown) Choose(chosen_ + 1);
                if (LevelCount() > 0 && (event.key == kVkSpace || event.key == kVkReturn)) return Play(chosen_);
                if (LevelCount() > 0 && event.key == 'W') return Watch(chosen_);
                break;
            case InputEvent::Kind::KeyUp:
                if (event.key == kVkEscape) return ScreenChange::Pop();
                break;
            case InputEvent::Kind::MouseMove:
            case InputEvent::Kind::LeftClick: {
                const int32_t slot = layout.SlotAt(event.x, event.y);
                const int32_t level = first_ + slot;
                hovered_ = (slot < 0 || level >= LevelCount()) ? -1 : level;
                if (hovered_ < 0) break;
                Choose(hovered_);
                if (event.kind == InputEvent::Kind::LeftClick) return Play(hovered_);
                break;
            }
            case InputEvent::Kind::Wheel: Choose(chosen_ - event.notches); break;
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

void LevelListScreen::DrawRow(const LevelListLayout& layout, int32_t slot, int32_t level) {
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
    using Tone = ScreenLook::Tone;
    using Size = ScreenLook::Size;
    look_.Text(std::to_string(level + 1) + ". " + ReadableLevelName(name), textLeft,
               middle - look_.LineHeight(Size::Text) - look_.Scaled(2), Tone::Text, Size::Text);
    look_.Text(ResultLine(record), textLeft, middle + look_.Scaled(4), record && record->won ? Tone::Won : Tone::Quiet,
               Size::Small);
}

void LevelListScreen::Draw(const ScreenFrame&) {
    if (!g_device || !g_catalogue) return;
    const std::string keys = said_.empty() ? "Up, Down: choose    Space: play    W: watch the best run    Escape: back" : said_;
    const int32_t count = LevelCount();
    // Pictures not yet made are drawn into the back buffer before this frame's page, in the places
    // of the last page measured; the page then measures again and scrolls the choice into view.
    LevelListLayout layout = Layout();
    for (int32_t slot = 0; slot < layout.rowsShown && first_ + slot < count; ++slot)
        PictureOf(LevelPath(g_catalogue->levels[static_cast<size_t>(first_ + slot)]), layout.Picture(slot));
    if (!look_.BeginPage("Levels", keys)) return;
    layout = Layout();
    first_ = ScrollToShow(chosen_, first_, layout.rowsShown, count);
    for (int32_t slot = 0; slot < layout.rowsShown && first_ + slot < count; ++slot)
        DrawRow(layout, slot, first_ + slot);
    const int32_t right = look_.width() - look_.Scaled(60);
    const int32_t top = look_.Scaled(40);
    if (first_ > 0) look_.Text("more above", right - look_.Scaled(110), top, ScreenLook::Tone::Quiet, ScreenLook::Size::Small, right + look_.Scaled(30));
    if (first_ + layout.rowsShown < count)
        look_.Text("more below", right - look_.Scaled(110), top + look_.LineHeight(ScreenLook::Size::Small), ScreenLook::Tone::Quiet,
                   ScreenLook::Size::Small, right + look_.Scaled(30));
    look_.EndPage();
}

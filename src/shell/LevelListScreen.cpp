#include "shell/LevelListScreen.h"

#include <map>
#include <memory>
#include <string>

#include "graphics/GraphicsSetup.h"
#include "graphics/SceneRendering.h"
#include "platform/Keyboard.h"
#include "profile/LevelIdentity.h"
#include "resources/ResourceCatalogue.h"
#include "shell/LevelListLayout.h"
#include "shell/ProfileSession.h"
#include "shell/ScreenDrawing.h"
#include "shell/ScreenKeys.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

constexpr uint32_t kBackground = 0xFFFFFFFFu;
constexpr uint32_t kChosenRow = 0xFFBFD7FFu;
constexpr uint32_t kPictureFrame = 0xFF808080u;
constexpr uint32_t kText = 0xFF000000u;
constexpr uint32_t kWonText = 0xFF006000u;

struct ListState {
    int32_t chosen = 0;
    int32_t first = 0;
    std::string said;
};

ListState list;
// Pictures by level file path, for as long as the game runs (and its device lives).
std::map<std::string, std::unique_ptr<Texture>> pictures;
RenderDevice* picturesDevice = nullptr;

int32_t LevelCount() { return g_catalogue ? static_cast<int32_t>(g_catalogue->levels.size()) : 0; }

LevelListLayout Layout() {
    const Viewport whole = WholeScreen();
    return LayOutLevelList(static_cast<int32_t>(whole.width), static_cast<int32_t>(whole.height));
}

// Makes `level` the chosen one; a line said about another level goes.
void Choose(int32_t level) {
    const int32_t count = LevelCount();
    if (count == 0) return;
    level = std::max(0, std::min(level, count - 1));
    if (level != list.chosen) list.said.clear();
    list.chosen = level;
    list.first = ScrollToShow(list.chosen, list.first, Layout().rowsShown, count);
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

Texture* PictureOf(const std::string& path, const Rect& area) {
    if (picturesDevice != g_device) {
        pictures.clear();
        picturesDevice = g_device;
    }
    auto found = pictures.find(path);
    if (found == pictures.end()) found = pictures.emplace(path, MakePicture(path, area)).first;
    return found->second.get();
}

std::string ResultLine(const LevelRecord* record) {
    if (!record || !record->won) return "Not won yet";
    return "Won    best score " + std::to_string(record->bestScore) + "    best time " + FormatSeconds(record->bestTime);
}

void DrawRow(const LevelListLayout& layout, int32_t slot, int32_t level) {
    const std::string& name = g_catalogue->levels[static_cast<size_t>(level)];
    const Rect row = layout.Row(slot);
    if (level == list.chosen) FillRect(row, kChosenRow);
    const Rect picture = layout.Picture(slot);
    FillRect(Rect{picture.left - 2, picture.top - 2, picture.right + 2, picture.bottom + 2}, kPictureFrame);
    DrawImage(PictureOf(LevelPath(name), picture), picture);
    const LevelRecord* record = RecordOfListedLevel(name);
    const int32_t textLeft = picture.right + 20;
    DrawScreenText(std::to_string(level + 1) + ". " + ReadableLevelName(name), textLeft, row.top + layout.rowHeight / 2 - 30,
                   kText);
    DrawScreenText(ResultLine(record), textLeft, row.top + layout.rowHeight / 2 + 2,
                   record && record->won ? kWonText : kText);
}

}  // namespace

void OpenLevelList() {
    list.said.clear();
    list.first = 0;
    Choose(g_levelIndex);
}

void SayOnLevelList(const char* text) { list.said = text; }

ListChoice LevelListKeys(const ScreenKeys& keys) {
    if (keys.Went(kVkUp)) Choose(list.chosen - 1);
    if (keys.Went(kVkDown)) Choose(list.chosen + 1);
    if (LevelCount() > 0 && (keys.Went(kVkSpace) || keys.Went(kVkReturn))) return {ListChoice::Kind::Play, list.chosen};
    if (LevelCount() > 0 && keys.Went('W')) return {ListChoice::Kind::Watch, list.chosen};
    if (keys.Released(kVkEscape)) return {ListChoice::Kind::Back, 0};
    return {};
}

ListChoice LevelListMouse(bool click, int32_t, int32_t y) {
    const int32_t slot = Layout().SlotAt(y);
    const int32_t level = list.first + slot;
    if (slot < 0 || level >= LevelCount()) return {};
    Choose(level);
    return click ? ListChoice{ListChoice::Kind::Play, level} : ListChoice{};
}

void LevelListWheel(int notches) { Choose(list.chosen - notches); }

void DrawLevelList() {
    RenderDevice* device = g_device;
    if (!device || !g_catalogue) return;
    const LevelListLayout layout = Layout();
    const int32_t count = LevelCount();
    // Pictures not yet made are drawn into the back buffer before this frame's clear.
    for (int32_t slot = 0; slot < layout.rowsShown && list.first + slot < count; ++slot)
        PictureOf(LevelPath(g_catalogue->levels[static_cast<size_t>(list.first + slot)]), layout.Picture(slot));

    RestoreWholeScreen();
    device->Clear(kClearTarget | kClearZBuffer | kClearStencil, kBackground, 1.0f, 0);
    device->BeginScene();
    DrawScreenText("Levels", 20, 8, kText);
    DrawScreenText(list.said.empty() ? "Up, Down: choose    Space: play    W: watch the best run    Escape: back"
                                     : list.said,
                   20, 36, kText);
    for (int32_t slot = 0; slot < layout.rowsShown && list.first + slot < count; ++slot)
        DrawRow(layout, slot, list.first + slot);
    if (list.first > 0) DrawScreenText("more above", layout.width - 150, 8, kText);
    if (list.first + layout.rowsShown < count) DrawScreenText("more below", layout.width - 150, 36, kText);
    device->EndScene();
    device->Present();
}

#include "editor/EditorDrawing.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "editor/LevelEditor.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/KeptScene.h"
#include "graphics/ModelDrawing.h"
#include "graphics/SceneRendering.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"
#include "state/GameState.h"

namespace {

constexpr uint32_t kLineStride = 3 * sizeof(float);
constexpr size_t kMaxMarkLines = 2048;

std::unique_ptr<VertexBuffer> g_markLines;

struct Line {
    float x0, y0, x1, y1;
};

// The outline of tile (x, y) shrunk by `inset` units, lifted off the floor.
void Outline(std::vector<Line>* lines, int32_t x, int32_t y, float inset) {
    const float left = 10.0f * static_cast<float>(x) + inset, right = 10.0f * static_cast<float>(x + 1) - inset;
    const float top = 10.0f * static_cast<float>(y) + inset, bottom = 10.0f * static_cast<float>(y + 1) - inset;
    lines->push_back({left, top, right, top});
    lines->push_back({right, top, right, bottom});
    lines->push_back({right, bottom, left, bottom});
    lines->push_back({left, bottom, left, top});
}

void Cross(std::vector<Line>* lines, int32_t x, int32_t y) {
    const float left = 10.0f * static_cast<float>(x) + 2.0f, right = 10.0f * static_cast<float>(x + 1) - 2.0f;
    const float top = 10.0f * static_cast<float>(y) + 2.0f, bottom = 10.0f * static_cast<float>(y + 1) - 2.0f;
    lines->push_back({left, top, right, bottom});
    lines->push_back({left, bottom, right, top});
}

// Draws the lines in one colour, lit or not, half a unit above the floor.
void DrawLines(const std::vector<Line>& lines, const Color4& color) {
    RenderDevice* device = g_device;
    if (lines.empty()) return;
    if (!g_markLines) {
        VertexBuffer* created = nullptr;
        if (Failed(device->CreateVertexBuffer(static_cast<uint32_t>(kMaxMarkLines * 2 * kLineStride), 0, kFvfXyz,
                                              kPoolManaged, &created)) ||
            !created)
            return;
        g_markLines.reset(created);
    }
    const size_t count = std::min(lines.size(), kMaxMarkLines);
    std::vector<float> vertices;
    vertices.reserve(count * 6);
    for (size_t i = 0; i < count; ++i)
        for (float v : {lines[i].x0, lines[i].y0, 0.5f, lines[i].x1, lines[i].y1, 0.5f}) vertices.push_back(v);
    void* data = nullptr;
    const auto bytes = static_cast<uint32_t>(vertices.size() * sizeof(float));
    if (Failed(g_markLines->Lock(0, bytes, &data, 0)) || !data) return;
    std::memcpy(data, vertices.data(), bytes);
    g_markLines->Unlock();
    const Color4 black(0.0f, 0.0f, 0.0f, 1.0f);
    device->SetMaterial(Material{black, black, black, color, 1.0f});
    device->SetTexture(0, nullptr);
    device->SetTransform(TransformType::World, g_identity);
    if (Failed(device->SetStreamSource(0, g_markLines.get(), 0, kLineStride))) return;
    if (Failed(device->SetFVF(kFvfXyz))) return;
    device->DrawPrimitive(PrimitiveType::LineList, 0, static_cast<uint32_t>(count));
}

// Draws the text from (left, top); the height drawn.
int32_t Text(const std::string& text, int32_t left, int32_t top, uint32_t color) {
    if (!g_font || text.empty()) return 0;
    return g_font->DrawText(text.c_str(), -1, Rect{left, top, left + 2000, top + 400}, kTextNoClip, color);
}

std::string KindsText(const LevelEditor& editor) {
    std::string text = "place (Tab): " + editor.kind() + ", turned " + std::to_string(editor.turn()) + " (R)\n";
    // Six kinds a line keep the list inside the narrowest window.
    for (size_t i = 0; i < editor.kinds().size(); ++i) {
        const std::string& kind = editor.kinds()[i];
        text += i == editor.kindIndex() ? "[" + kind + "]" : kind;
        text += i % 6 == 5 ? '\n' : ' ';
    }
    return text;
}

}  // namespace

void ReleaseEditorDrawing() { g_markLines.reset(); }

void DrawEditorFrame(LevelEditor& editor, const std::string& prompt, KeptScene* kept) {
    RenderDevice* device = g_device;
    if (!device) return;
    Level& level = editor.level();
    if (kept) {
        // The train is drawn after the floor here: it stands above it, so the picture is the same.
        if (!kept->BeginFrame(level)) return;
        DrawLevelTrain(level);
    } else {
        if (!BeginPlayFrame()) return;
        level.Draw();
        device->SetTransform(TransformType::World, g_identity);
        DrawModel("floor");
    }

    // The object a click places, on the cursor's tile with its turn.
    if (!editor.kind().empty()) {
        LevelObject ghost;
        ghost.name = editor.kind();
        ghost.x = editor.cursorX();
        ghost.y = editor.cursorY();
        ghost.angle = editor.turn() != 0 ? DegreesToRadians(static_cast<float>(editor.turn())) : 0.0f;
        Matrix4 world;
        device->SetTransform(TransformType::World, *ghost.WorldMatrix(&world));
        DrawModel(ghost.name.c_str());
    }

    device->SetTransform(TransformType::World, g_identity);
    device->SetTexture(0, nullptr);
    if (g_grid) {
        Matrix4 world;
        device->SetTransform(TransformType::World, *MatrixTranslation(&world, 0.0f, 0.0f, 0.1f));
        g_grid->Draw();
        device->SetTransform(TransformType::World, g_identity);
    }
    std::vector<Line> cursor, finish, marked;
    Outline(&cursor, editor.cursorX(), editor.cursorY(), 0.3f);
    Outline(&cursor, editor.cursorX(), editor.cursorY(), 0.8f);
    Outline(&finish, level.finishX, level.finishY, 1.5f);
    Outline(&finish, level.finishX, level.finishY, 2.5f);
    for (const auto& [x, y] : editor.markedTiles()) Cross(&marked, x, y);
    DrawLines(cursor, Color4(0.0f, 0.3f, 1.0f, 1.0f));
    DrawLines(finish, Color4(0.0f, 0.6f, 0.0f, 1.0f));
    DrawLines(marked, Color4(1.0f, 0.0f, 0.0f, 1.0f));

    Viewport viewport{};
    device->GetViewport(&viewport);
    const auto bottom = static_cast<int32_t>(viewport.height);
    constexpr uint32_t kBlack = 0xFF000000u, kRed = 0xFFC00000u;
    Text("EDITOR  " + editor.path() + (editor.Unsaved() ? "  (unsaved)" : ""), 4, 2, kBlack);
    const int32_t kindsBottom = 22 + Text(KindsText(editor), 4, 22, kBlack);
    Text(editor.message(), 4, kindsBottom, kBlack);
    Text(prompt, 4, kindsBottom + 24, kRed);
    // The status line's three lines sit at the bottom, whatever the font's line height.
    const int32_t statusHeight =
        g_font ? g_font->DrawText(editor.StatusLine().c_str(), -1, Rect{0, 0, 0, 0}, kTextCalcRect, kBlack) : 0;
    Text(editor.StatusLine(), 4, bottom - statusHeight - 4, kBlack);
    device->EndScene();
    const Result presented = device->Present();
    if (Failed(presented)) ReportGraphicsError(presented, kOpPresent);
}

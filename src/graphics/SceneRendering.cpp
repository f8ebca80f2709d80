#include "graphics/SceneRendering.h"

#include "graphics/GraphicsErrors.h"
#include "graphics/HeadUpDisplay.h"
#include "graphics/HintMarker.h"
#include "graphics/KeptScene.h"
#include "graphics/ModelDrawing.h"
#include "graphics/ScreenDrawing.h"
#include "graphics/TouchButtons.h"
#include "math/MathFunctions.h"
#include "state/GameState.h"

namespace {
constexpr uint32_t kClearAll = kClearTarget | kClearZBuffer | kClearStencil;

// The bullets, each in its own place.
void DrawBullets(RenderDevice* device) {
    Matrix4 world;
    for (const Bullet& bullet : g_bullets) {
        device->SetTransform(TransformType::World, *bullet.WorldMatrix(&world));
        DrawModel("bullet");
    }
}

void DrawFloor(RenderDevice* device) {
    device->SetTransform(TransformType::World, g_identity);
    DrawModel("floor");
}

// What follows the floor in a frame of play: the pointer, the texts and the grid.
void DrawOverFloor(RenderDevice* device, bool pointerAndTexts) {
    Matrix4 world;
    // The pointer floats 10 units above the floor point under the cursor.
    if (pointerAndTexts) {
        device->SetTransform(TransformType::World,
                             *MatrixTranslation(&world, g_pointer.x, g_pointer.y, g_pointer.z + 10.0f));
        DrawModel("pointer");
    }

    // Unbinding the texture here leaves the grid lines and the text untextured.
    device->SetTransform(TransformType::World, g_identity);
    device->SetTexture(0, nullptr);

    if (pointerAndTexts && g_showClickVector) DrawVectorText("Click Vector", &g_pointer);
    if (pointerAndTexts && g_paused) DrawPaused();
    // The grid is drawn over the texts, as play always had it, so it is never part of a kept
    // picture: it is drawn again with what moves.
    if (g_showGrid && g_grid) {
        // Lifted a tenth of a unit so the lines are not buried in the floor.
        device->SetTransform(TransformType::World, *MatrixTranslation(&world, 0.0f, 0.0f, 0.1f));
        g_grid->Draw();
        device->SetTransform(TransformType::World, g_identity);
    }
    if (pointerAndTexts) DrawScore();
    if (pointerAndTexts) DrawHeadUpNotice();
}

}  // namespace

void DrawLevelScene(bool pointerAndTexts) {
    RenderDevice* device = g_device;
    if (!device || !g_level) return;
    g_level->Draw();
    DrawBullets(device);
    DrawFloor(device);
    DrawOverFloor(device, pointerAndTexts);
}

void DrawStandingScene(Level& level) {
    RenderDevice* device = g_device;
    if (!device) return;
    DrawLevelObjects(level);
    DrawFloor(device);
}

void DrawMovingScene(bool pointerAndTexts) {
    RenderDevice* device = g_device;
    if (!device || !g_level) return;
    // Drawn after the floor instead of before it: each lies above the floor, so the depth test
    // gives the same picture.
    DrawLevelTrain(*g_level);
    DrawBullets(device);
    DrawOverFloor(device, pointerAndTexts);
}

void SetFrameRenderStates() {
    g_device->SetRenderState(RenderStateType::Ambient, 0xFF000000u);
    g_device->SetRenderState(RenderStateType::ZEnable, kZbTrue);
    g_device->SetRenderState(RenderStateType::Lighting, 1);
    g_device->SetRenderState(RenderStateType::ShadeMode, kShadeGouraud);
    g_device->SetRenderState(RenderStateType::SpecularEnable, 1);
}

bool ClearPlayFrame() {
    RenderDevice* device = g_device;
    if (!device) return false;
    const Result cleared = device->Clear(kClearAll, 0xFFFFFFFFu, 1.0f, 0);
    if (Failed(cleared)) {
        ReportGraphicsError(cleared, kOpClear);
        return false;
    }
    return true;
}

void SetUpPlayFrame(const Matrix4& view) {
    RenderDevice* device = g_device;
    SetFrameRenderStates();
    device->SetTransform(TransformType::View, view);
    // Objects are culled only under a perspective projection, the one the device set-up makes;
    // without one (nothing set up yet) every object is drawn.
    if (g_projection(2, 3) > 0.0f && g_projection(3, 3) == 0.0f) {
        Matrix4 viewProjection;
        SetFrameView(MatrixMultiply(&viewProjection, view, g_projection));
    } else {
        SetFrameView(nullptr);
    }
    device->SetTransform(TransformType::World, g_identity);

    device->BeginScene();
    device->SetLight(0, g_light);
    device->LightEnable(0, true);
}

bool BeginPlayFrame() {
    if (!ClearPlayFrame()) return false;
    SetUpPlayFrame(g_camera.ViewMatrix());
    return true;
}

void RenderGame(float dt, int32_t fps, KeptScene* kept, const HintShown* hint) {
    const bool scene = g_level && !g_level->lost && !g_level->won;
    if (scene && kept) {
        if (!kept->BeginFrame(*g_level)) return;
        DrawMovingScene(true);
    } else {
        if (!BeginPlayFrame()) return;
        if (scene) DrawLevelScene(true);
    }
    if (scene && hint) DrawHint(*hint);
    RenderDevice* device = g_device;
    DrawFps(fps);
    DrawHudNotice(dt);
    if (scene) {
        const Viewport whole = WholeScreen();
        DrawLevelLabel(static_cast<int>(whole.width), static_cast<int>(whole.height));
    }
    DrawTouchButtons();
    device->EndScene();

    const Result presented = device->Present();
    if (Failed(presented)) ReportGraphicsError(presented, kOpPresent);
}

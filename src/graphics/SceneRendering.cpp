#include "graphics/SceneRendering.h"

#include "graphics/GraphicsErrors.h"
#include "graphics/HeadUpDisplay.h"
#include "graphics/ModelDrawing.h"
#include "math/MathFunctions.h"
#include "state/GameState.h"

namespace {
constexpr uint32_t kClearAll = kClearTarget | kClearZBuffer | kClearStencil;
}  // namespace

void DrawLevelScene(bool pointerAndTexts) {
    RenderDevice* device = g_device;
    if (!device || !g_level) return;
    g_level->Draw();

    Matrix4 world;
    for (const Bullet& bullet : g_bullets) {
        device->SetTransform(TransformType::World, *bullet.WorldMatrix(&world));
        DrawModel("bullet");
    }

    device->SetTransform(TransformType::World, g_identity);
    DrawModel("floor");

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
    if (g_showGrid && g_grid) {
        // Lifted a tenth of a unit so the lines are not buried in the floor.
        device->SetTransform(TransformType::World, *MatrixTranslation(&world, 0.0f, 0.0f, 0.1f));
        g_grid->Draw();
        device->SetTransform(TransformType::World, g_identity);
    }
    if (pointerAndTexts) DrawScore();
    if (pointerAndTexts) DrawHeadUpNotice();
}

void SetFrameRenderStates() {
    g_device->SetRenderState(RenderStateType::Ambient, 0xFF000000u);
    g_device->SetRenderState(RenderStateType::ZEnable, kZbTrue);
    g_device->SetRenderState(RenderStateType::Lighting, 1);
    g_device->SetRenderState(RenderStateType::ShadeMode, kShadeGouraud);
    g_device->SetRenderState(RenderStateType::SpecularEnable, 1);
}

bool BeginPlayFrame() {
    RenderDevice* device = g_device;
    if (!device) return false;
    const Result cleared = device->Clear(kClearAll, 0xFFFFFFFFu, 1.0f, 0);
    if (Failed(cleared)) {
        ReportGraphicsError(cleared, kOpClear);
        return false;
    }
    SetFrameRenderStates();
    const Matrix4 view = g_camera.ViewMatrix();
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
    return true;
}

void RenderGame(float dt, int32_t fps) {
    if (!BeginPlayFrame()) return;
    RenderDevice* device = g_device;
    if (g_level && !g_level->lost && !g_level->won) DrawLevelScene(true);
    DrawFps(fps);
    DrawHudNotice(dt);
    device->EndScene();

    const Result presented = device->Present();
    if (Failed(presented)) ReportGraphicsError(presented, kOpPresent);
}

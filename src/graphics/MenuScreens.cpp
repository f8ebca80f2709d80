#include "graphics/MenuScreens.h"

#include <cmath>

#include "graphics/GraphicsErrors.h"
#include "graphics/ModelDrawing.h"
#include "graphics/Picking.h"
#include "graphics/TouchButtons.h"
#include "math/MathFunctions.h"
#include "platform/Keyboard.h"
#include "graphics/SceneRendering.h"
#include "state/GameState.h"

void SetMenuCameraPose(Camera* camera) {
    // About 66 units above the origin looking down -z, the screen's up along world -y: the pose
    // the menu models were laid out for.
    camera->right = Vec3(0.99999785f, 0.002063846f, -6.4159954e-06f);
    camera->up = Vec3(0.0020638516f, -0.9999973f, 0.0010671737f);
    camera->look = Vec3(-4.213496e-06f, -0.0010671846f, -0.9999994f);
    camera->position = Vec3(0.41389754f, 2.854733f, 66.16783f);
}

const char* MenuModelName() {
    if (g_showTitleMenu) return "menuIntro";
    if (g_showIntroduction) return "menuIntroduction";
    if (g_level && g_level->won) return "menuComplete";
    if (g_level && g_level->lost) return "menuGameover";
    return nullptr;
}

void RenderMenus(float, int32_t) {
    RenderDevice* device = g_device;
    if (!device) return;
    const Result cleared = device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFF000000u, 1.0f, 0);
    if (Failed(cleared)) {
        ReportGraphicsError(cleared, kOpClear);
        return;
    }
    // While paused the camera is left where the player flew it, even behind a menu.
    if (!g_paused) SetMenuCameraPose(&g_camera);
    SetFrameRenderStates();
    device->SetTransform(TransformType::View, g_camera.ViewMatrix());
    device->SetTransform(TransformType::World, g_identity);

    device->BeginScene();
    device->SetLight(0, g_light);
    device->LightEnable(0, true);
    device->SetTransform(TransformType::World, g_identity);
    if (const char* name = MenuModelName()) DrawModel(name);
    device->SetTexture(0, nullptr);
    DrawTouchButtons();
    device->EndScene();

    const Result presented = device->Present();
    if (Failed(presented)) ReportGraphicsError(presented, kOpPresent);
}

namespace {

// One line of the title's key list, in world units on the menu's plane (z = 0), where the title
// picture (tools/content/Menus.cpp) prints it: two columns of lines 4 units apart.
struct TitleLine {
    float x, y;
    int key;
};
constexpr float kLineHalfWidth = 11.0f, kLineHalfHeight = 2.0f;
constexpr TitleLine kTitleLines[] = {
    {-19.4f, -4.5f, kVkSpace}, {-19.4f, -0.5f, 'L'}, {-19.4f, 3.5f, 'O'},      {-19.4f, 7.5f, kVkF1},
    {20.2f, -4.5f, 'M'},       {20.2f, -0.5f, kVkF11}, {20.2f, 3.5f, kVkEscape},
};

// The key of the title line under client pixel (x, y), seen through g_device's view; 0: none.
int TitleLineKeyAt(int32_t x, int32_t y) {
    Plane menu{};
    PlaneFromPointNormal(&menu, Vec3(0.0f, 0.0f, 0.0f), Vec3(0.0f, 0.0f, 1.0f));
    Vec3 hit;
    if (!PickPlanePoint(x, y, menu, &hit)) return 0;
    for (const TitleLine& line : kTitleLines)
        if (std::abs(hit.x - line.x) <= kLineHalfWidth && std::abs(hit.y - line.y) <= kLineHalfHeight) return line.key;
    return 0;
}

}  // namespace

int MenuTapKey(int32_t x, int32_t y) {
    if (g_showTitleMenu) {
        const int key = g_device ? TitleLineKeyAt(x, y) : 0;
        return key ? key : kVkSpace;
    }
    if (g_showIntroduction) return 0;
    if (g_level && (g_level->won || g_level->lost)) return kVkSpace;
    return 0;
}

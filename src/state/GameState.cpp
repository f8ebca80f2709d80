#include "state/GameState.h"

#include "audio/SoundSystem.h"
#include "platform/GraphicsSystem.h"
#include "resources/ResourceCatalogue.h"

GraphicsSystem* g_graphics = nullptr;
RenderDevice* g_device = nullptr;
SoundSystem* g_soundSystem = nullptr;
ResourceCatalogue* g_catalogue = nullptr;
std::unique_ptr<Level> g_level;
int32_t g_levelIndex = 0;
std::unique_ptr<FloorGrid> g_grid;
Material g_gridMaterial{};
std::unique_ptr<VertexBuffer> g_gridVertexBuffer;
Font* g_font = nullptr;
Camera g_camera;
Light g_light{};
Matrix4 g_projection{};
Matrix4 g_identity = [] {
    Matrix4 m;
    Identity(&m);
    return m;
}();
Plane g_floorPlane{};
Vec3 g_pointer{0.0f, 0.0f, 0.0f};
std::vector<Bullet> g_bullets;

bool g_showTitleMenu = true;
bool g_showIntroduction = false;
bool g_paused = false;
bool g_showGrid = true;
bool g_showClickVector = false;
bool g_musicOff = false;

KeyLatch g_latchM, g_latchEscape, g_latchG, g_latchV, g_latchPause, g_latchEnd;

#include "state/GameState.h"
#include "state/GameStateReset.h"

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
namespace {
Matrix4 IdentityMatrix() {
    Matrix4 m;
    Identity(&m);
    return m;
}
}  // namespace

Matrix4 g_identity = IdentityMatrix();
Plane g_floorPlane{};
Vec3 g_pointer{0.0f, 0.0f, 0.0f};
std::vector<Bullet> g_bullets;

bool g_showTitleMenu = true;
bool g_showIntroduction = false;
bool g_paused = false;
bool g_showGrid = true;
bool g_showClickVector = false;
bool g_musicOff = false;
std::string g_levelLabel;

KeyLatch g_latchM, g_latchEscape, g_latchG, g_latchV, g_latchPause, g_latchEnd;

void ResetGameState() {
    g_graphics = nullptr;
    g_device = nullptr;
    g_soundSystem = nullptr;
    g_catalogue = nullptr;
    g_level.reset();
    g_levelIndex = 0;
    g_grid.reset();
    g_gridMaterial = Material{};
    g_gridVertexBuffer.reset();
    g_font = nullptr;
    g_camera = Camera();
    g_light = Light{};
    g_projection = Matrix4{};
    g_identity = IdentityMatrix();
    g_floorPlane = Plane{};
    g_pointer = Vec3(0.0f, 0.0f, 0.0f);
    g_bullets.clear();
    g_showTitleMenu = true;
    g_showIntroduction = false;
    g_paused = false;
    g_showGrid = true;
    g_showClickVector = false;
    g_musicOff = false;
    g_levelLabel.clear();
    g_latchM = g_latchEscape = g_latchG = g_latchV = g_latchPause = g_latchEnd = KeyLatch{};
}

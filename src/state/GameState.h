#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "camera/Camera.h"
#include "state/FloorGrid.h"
#include "level/Level.h"
#include "math/Matrix4.h"
#include "math/Plane.h"
#include "math/Vec3.h"
#include "platform/RenderDevice.h"
#include "platform/RenderTypes.h"
#include "state/Bullet.h"

class GraphicsSystem;
class ResourceCatalogue;
class SoundSystem;

// The process-wide state shared by the shell, the rules and the drawing. One of each exists.

extern GraphicsSystem* g_graphics;      // the display adapter; released at the end
extern RenderDevice* g_device;          // every drawing call goes here; released at the end
extern SoundSystem* g_soundSystem;      // never destroyed
extern ResourceCatalogue* g_catalogue;  // never destroyed
extern std::unique_ptr<Level> g_level;  // the level in play; replaced by LoadLevel
extern int32_t g_levelIndex;
extern std::unique_ptr<FloorGrid> g_grid;
extern Material g_gridMaterial;
extern std::unique_ptr<VertexBuffer> g_gridVertexBuffer;
extern Font* g_font;
extern Camera g_camera;
extern Light g_light;
extern Matrix4 g_projection;
extern Matrix4 g_identity;
extern Plane g_floorPlane;
extern Vec3 g_pointer;
extern std::vector<Bullet> g_bullets;

// Screen flags.
extern bool g_showTitleMenu;
extern bool g_showIntroduction;
extern bool g_paused;
extern bool g_showGrid;
extern bool g_showClickVector;
extern bool g_musicOff;
// The seed or code of a level played from one, shown in a corner over play; empty for a listed level.
extern std::string g_levelLabel;

// A key that acts once, on release.
struct KeyLatch {
    bool set = false;
};
extern KeyLatch g_latchM, g_latchEscape, g_latchG, g_latchV, g_latchPause, g_latchEnd;

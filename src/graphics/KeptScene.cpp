#include "graphics/KeptScene.h"

#include <cstring>

#include "graphics/SceneRendering.h"
#include "state/GameState.h"

namespace {
// Compared bit for bit: a value drawn from must be the very same value.
template <class T>
bool Same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}
}  // namespace

bool KeptScene::Source::operator==(const Source& o) const {
    return device == o.device && catalogue == o.catalogue && objects == o.objects && Same(view, o.view) &&
           Same(projection, o.projection) && Same(viewport, o.viewport) && Same(light, o.light);
}

KeptScene::Source KeptScene::Now(const Level& level, const Matrix4& view) {
    Source now;
    now.device = g_device;
    now.catalogue = g_catalogue;
    now.objects = level.objects.revision();
    now.view = view;
    now.projection = g_projection;
    if (g_device) g_device->GetViewport(&now.viewport);
    now.light = g_light;
    return now;
}

bool KeptScene::BeginFrame(Level& level) {
    RenderDevice* device = g_device;
    if (!device) return false;
    const Matrix4 view = g_camera.ViewMatrix();
    const Source now = Now(level, view);
    if (held_ && now == source_ && !Failed(device->RestoreImage())) {
        SetUpPlayFrame(view);
        return true;
    }
    held_ = false;
    if (!ClearPlayFrame()) return false;
    SetUpPlayFrame(view);
    DrawStandingScene(level);
    ++draws_;
    source_ = now;
    held_ = !Failed(device->KeepImage());
    return true;
}

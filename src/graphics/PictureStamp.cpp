#include "graphics/PictureStamp.h"

#include "graphics/HeadUpDisplay.h"
#include "graphics/MenuScreens.h"
#include "state/GameState.h"

PictureStamp& PictureStamp::AddText(const std::string& text) {
    Add(text.size());
    for (char c : text) Add(c);
    return *this;
}

namespace {
// What both pictures share: the device, the resources and the camera.
PictureStamp Common() {
    PictureStamp stamp;
    stamp.Add(g_device).Add(g_catalogue).Add(g_level.get()).Add(g_paused);
    stamp.Add(g_camera.position).Add(g_camera.look).Add(g_camera.up).Add(g_camera.right).Add(g_projection);
    return stamp;
}
}  // namespace

uint64_t PlayPictureStamp(int32_t fps) {
    if (HudNoticeShowing()) return 0;
    PictureStamp stamp = Common();
    stamp.Add(fps).Add(g_showGrid).Add(g_showClickVector).Add(g_pointer).AddText(HeadUpNotice()).AddText(g_levelLabel);
    if (g_level) {
        const Level& level = *g_level;
        stamp.Add(level.objects.revision()).Add(level.lost).Add(level.won).Add(level.score);
        stamp.Add(level.trainX).Add(level.trainY).Add(level.trainHeading);
    }
    stamp.Add(g_bullets.size());
    for (const Bullet& bullet : g_bullets) stamp.Add(bullet.position);
    return stamp.Value();
}

uint64_t MenuPictureStamp() {
    PictureStamp stamp = Common();
    const char* name = MenuModelName();
    stamp.AddText(name ? name : "");
    return stamp.Value();
}

#include "screens/PadField.h"

#include "authoring/TrackDistance.h"
#include "graphics/Picking.h"
#include "level/Tiles.h"
#include "screens/ControlsScreen.h"
#include "screens/GameScreen.h"
#include "screens/LevelListScreen.h"
#include "screens/PlayPointer.h"
#include "screens/SettingsScreen.h"
#include "screens/WatchScreen.h"
#include "state/GameState.h"

PadPixel GamePadField::Size() const {
    if (!g_device) return {1, 1};
    Viewport viewport{};
    g_device->GetViewport(&viewport);
    return {static_cast<int>(std::max<uint32_t>(viewport.width, 1)), static_cast<int>(std::max<uint32_t>(viewport.height, 1))};
}

std::vector<PadPixel> GamePadField::TargetPixels() const {
    std::vector<PadPixel> pixels;
    if (!g_level || !g_device) return pixels;
    for (const LevelObject& o : g_level->objects) {
        if (o.removed || !IsShootable(o.name)) continue;
        int32_t x = 0, y = 0;
        if (!FloorPointToPixel(Vec3(TileCentre(o.x), TileCentre(o.y), 0.0f), &x, &y)) continue;
        const PadPixel pixel{x, y};
        // Two objects on one tile are one target.
        if (std::find(pixels.begin(), pixels.end(), pixel) == pixels.end()) pixels.push_back(pixel);
    }
    return pixels;
}

void GamePadField::PointAt(PadPixel pixel, bool fire) { PointAtPixel(pixel.x, pixel.y, fire); }

PadScene PadSceneOf(const Screen* top) {
    if (dynamic_cast<const GameScreen*>(top)) {
        if (g_showTitleMenu) return PadScene::Title;
        if (MenuScreenUp()) return PadScene::Menu;
        return g_paused ? PadScene::Paused : PadScene::Play;
    }
    if (dynamic_cast<const LevelListScreen*>(top) || dynamic_cast<const SettingsScreen*>(top) ||
        dynamic_cast<const ControlsScreen*>(top) || dynamic_cast<const WatchScreen*>(top))
        return PadScene::Choosing;
    return PadScene::Elsewhere;
}

const char* PadScreenName(const Screen* top) {
    switch (PadSceneOf(top)) {
        case PadScene::Title: return "title";
        case PadScene::Menu: return g_showIntroduction ? "introduction" : g_level && g_level->won ? "level complete" : "game over";
        case PadScene::Play: return "play";
        case PadScene::Paused: return "paused";
        case PadScene::Choosing:
            return dynamic_cast<const LevelListScreen*>(top) ? "level list"
                   : dynamic_cast<const SettingsScreen*>(top) ? "settings"
                   : dynamic_cast<const ControlsScreen*>(top) ? "controls" : "watching";
        case PadScene::Elsewhere: break;
    }
    return "elsewhere";
}

#include "screens/GameScreen.h"

#include "graphics/MenuScreens.h"
#include "graphics/PictureStamp.h"
#include "graphics/SceneRendering.h"
#include "platform/Keyboard.h"
#include "platform/Sharing.h"
#include "profile/OwnLevels.h"
#include "profile/ReplayRecorder.h"
#include "rules/UpdateGame.h"
#include "screens/GameKeys.h"
#include "screens/InputPath.h"
#include "screens/LevelListScreen.h"
#include "screens/SettingsScreen.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

bool MenuScreenUp() {
    if (g_showTitleMenu || g_showIntroduction) return true;
    return g_level && (g_level->lost || g_level->won);
}

ScreenChange GameScreen::Update(ScreenFrame& frame) {
    InputPath& input = frame.input;
    if (g_showTitleMenu) {
        // Events, not polls: a key pressed during play does not open a screen once the title is up.
        if (input.Released('L')) return ScreenChange::Push(std::make_unique<LevelListScreen>());
        if (input.Released('O')) return ScreenChange::Push(std::make_unique<SettingsScreen>());
    }
    if (HandleKeyboard(frame.dt, {input, cameraFile_}) != 0) return ScreenChange::Quit();
    if (g_level && !MenuScreenUp() && LevelStartCount() != linkedStart_) {
        linkedStart_ = LevelStartCount();
        ShowLevelLink(LevelLinkQuery(OwnLevelOrigin(), *g_level));
    }
    // A paused game is still drawn (with "PAUSED"), but it does not move.
    if (!g_paused && !MenuScreenUp()) {
        RecordFrame(frame.dt);
        UpdateGame(frame.dt);
    }
    return ScreenChange::Stay();
}

void GameScreen::Draw(const ScreenFrame& frame) {
    if (MenuScreenUp()) {
        RenderMenus(frame.dt, frame.fps);
    } else {
        RenderGame(frame.dt, frame.fps, &kept_);
    }
}

uint64_t GameScreen::PictureStampNow(const ScreenFrame& frame) const {
    return MenuScreenUp() ? MenuPictureStamp() : PlayPictureStamp(frame.fps);
}

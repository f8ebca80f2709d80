#include "screens/GameScreen.h"

#include "graphics/HintMarker.h"
#include "graphics/MenuScreens.h"
#include "graphics/PictureStamp.h"
#include "graphics/SceneRendering.h"
#include "platform/Keyboard.h"
#include "platform/Sharing.h"
#include "profile/OwnLevels.h"
#include "profile/ProfileSession.h"
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
        if (input.Released(BoundKey(Action::LevelList))) return ScreenChange::Push(std::make_unique<LevelListScreen>());
        if (input.Released(BoundKey(Action::Settings))) return ScreenChange::Push(std::make_unique<SettingsScreen>());
    }
    if (HandleKeyboard(frame.dt, {input, cameraFile_}) != 0) return ScreenChange::Quit();
    if (g_level && !MenuScreenUp() && LevelStartCount() != linkedStart_) {
        linkedStart_ = LevelStartCount();
        ShowLevelLink(LevelLinkQuery(OwnLevelOrigin(), *g_level));
    }
    KeepHint(input);
    // A paused game is still drawn (with "PAUSED"), but it does not move; nor does one with a hint.
    if (!g_paused && !MenuScreenUp() && !hint_.Active()) {
        RecordFrame(frame.dt);
        UpdateGame(frame.dt);
    }
    return ScreenChange::Stay();
}

TouchButtonSet GameScreen::TouchButtons() const {
    if (g_showTitleMenu) return TouchButtonSet::None;
    if (g_showIntroduction) return TouchButtonSet::Back;
    return g_level && !MenuScreenUp() ? TouchButtonSet::PauseAndBack : TouchButtonSet::None;
}

void GameScreen::KeepHint(const InputPath& input) {
    const bool inPlay = g_level && !MenuScreenUp() && !g_paused;
    if (hint_.Active()) {
        const bool shotFired = g_bullets.size() > hintBullets_;
        if (input.Went(BoundKey(Action::Hint)) || shotFired || !inPlay || LevelStartCount() != hintStart_) hint_.End();
        else hint_.Update();
        return;
    }
    if (!inPlay || !input.Went(BoundKey(Action::Hint))) return;
    hintStart_ = LevelStartCount();
    hintBullets_ = g_bullets.size();
    MarkLevelHinted();
    hint_.Start(*g_level, g_bullets);
}

void GameScreen::Draw(const ScreenFrame& frame) {
    if (MenuScreenUp()) {
        RenderMenus(frame.dt, frame.fps);
    } else if (hint_.Active()) {
        const HintShown shown{hint_.Line(), hint_.MarkedTile()};
        RenderGame(frame.dt, frame.fps, &kept_, &shown);
    } else {
        RenderGame(frame.dt, frame.fps, &kept_);
    }
}

uint64_t GameScreen::PictureStampNow(const ScreenFrame& frame) const {
    if (MenuScreenUp()) return MenuPictureStamp();
    const uint64_t play = PlayPictureStamp(frame.fps);
    if (play == 0 || !hint_.Active()) return play;
    PictureStamp stamp;
    stamp.Add(play).AddText(hint_.Line()).Add(hint_.MarkedTile().value_or(std::make_pair(-1, -1)));
    return stamp.Value();
}

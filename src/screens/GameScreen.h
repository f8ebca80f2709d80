#pragma once
#include <string>

#include "graphics/KeptScene.h"
#include "screens/PlayHint.h"
#include "screens/Screen.h"

// True when one of the four menu screens is up instead of the game scene: the title menu, the
// introduction, level complete or game over, as the screen flags and the level's flags say.
bool MenuScreenUp();

// Play and its four menu screens, which of them is up derived every frame from the screen flags
// and the level's won and lost flags: the game's keys polled as always, the rules run in unpaused
// play, the scene or the menu drawn. On the title menu L opens the level list and O the settings
// (each on release). The mouse picks and fires in the window procedure, as play always had it.
// The scene's standing part is kept from frame to frame (KeptScene) and drawn again when it changes.
// H in play asks for a hint (PlayHint): the rules hold still while it searches and shows; the next
// shot fired, H again, a menu screen or another level ends it.
class GameScreen : public Screen {
public:
    // `cameraFile`: where C writes the camera.
    explicit GameScreen(std::string cameraFile) : cameraFile_(std::move(cameraFile)) {}
    ScreenChange Update(ScreenFrame& frame) override;
    void Draw(const ScreenFrame& frame) override;
    // A screen above play (the settings, the level list) may have changed what play draws.
    void Resume() override { kept_.Forget(); }
    bool TakesMouseEvents() const override { return false; }
    // Pause and Back over play, Back on the introduction.
    TouchButtonSet TouchButtons() const override;
    uint64_t PictureStampNow(const ScreenFrame& frame) const override;

private:
    // Starts or ends the hint as this frame's keys, shots and screens ask.
    void KeepHint(const InputPath& input);

    std::string cameraFile_;
    KeptScene kept_;
    uint64_t linkedStart_ = 0;  // the level start the page's link was last made for
    PlayHint hint_;
    uint64_t hintStart_ = 0;     // LevelStartCount() when the hint was asked for
    size_t hintBullets_ = 0;     // shots in flight then: one more is a shot fired
};

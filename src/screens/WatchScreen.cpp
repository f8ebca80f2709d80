#include "screens/WatchScreen.h"

#include <iostream>

#include "graphics/HeadUpDisplay.h"
#include "graphics/SceneRendering.h"
#include "profile/ProfileSession.h"
#include "graphics/ScreenDrawing.h"
#include "graphics/TouchButtons.h"
#include "platform/Keyboard.h"
#include "profile/LevelIdentity.h"
#include "profile/PlayReport.h"
#include "profile/ProfileFiles.h"
#include "screens/GameKeys.h"
#include "screens/InputPath.h"
#include "screens/ScreenLook.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

constexpr double kFastSpeed = 4.0;
// After a part, before the next one starts.
constexpr float kPauseBetweenParts = 1.5f;

}  // namespace

void WatchScreen::StartPart() {
    const RunPart& part = parts_[part_];
    LoadLevelFromPath(part.level);
    g_paused = false;
    g_showTitleMenu = false;
    g_showIntroduction = false;
    playback_ = std::make_unique<RunPlayback>(part.commands);
    reported_ = false;
    sincePartEnd_ = 0.0f;
}

std::unique_ptr<WatchScreen> WatchScreen::Start(const std::string& file, std::string* why) {
    std::string text, reason;
    const int read = ReadWholeFile(file, &text, &reason);
    if (read != 0) {
        *why = file + (read == 1 ? ": no such file" : ": " + reason);
        return nullptr;
    }
    std::vector<RunPart> parts;
    if (!ReadRunParts(text, &parts, &reason)) {
        *why = file + ": " + reason;
        return nullptr;
    }
    if (parts.empty()) {
        *why = file + " names no level (no \"# level\" line)";
        return nullptr;
    }
    for (const RunPart& part : parts) {
        const std::string hash = LevelFileHash(part.level);
        if (hash.empty()) {
            *why = "the run's level " + part.level + " is not there";
            return nullptr;
        }
        if (!part.content.empty() && part.content != hash) {
            *why = "the level " + part.level + " has changed since this run: it no longer fits";
            return nullptr;
        }
    }
    std::unique_ptr<WatchScreen> screen(new WatchScreen(std::move(parts)));
    screen->StartPart();
    return screen;
}

ScreenChange WatchScreen::Update(ScreenFrame& frame) {
    InputPath& input = frame.input;
    ToggleMusicOnM(input);
    if (input.Released(BoundKey(Action::Back))) {
        g_paused = false;
        // The level watched is left behind; the title plays the current level from its start.
        LoadLevel(g_levelIndex);
        g_showTitleMenu = true;
        g_showIntroduction = false;
        return ScreenChange::Pop();
    }
    const float dt = frame.dt;
    if (input.Went(kVkTab)) fast_ = !fast_;
    if (input.Went(BoundKey(Action::Pause))) g_paused = !g_paused;
    if (g_paused) {
        FlyFreeCamera(dt, input);
    } else if (!playback_->Finished()) {
        playback_->Advance(fast_ ? dt * kFastSpeed : dt);
    } else {
        if (!reported_ && g_level) {
            std::cout << ReportLevel(*g_level, g_bullets.size()) << std::endl;
            reported_ = true;
        }
        sincePartEnd_ += dt;
        if (part_ + 1 < parts_.size() && sincePartEnd_ >= kPauseBetweenParts) {
            ++part_;
            StartPart();
        }
    }
    return ScreenChange::Stay();
}

void WatchScreen::Draw(const ScreenFrame& frame) {
    if (g_level ? !kept_.BeginFrame(*g_level) : !BeginPlayFrame()) return;
    DrawMovingScene(true);
    std::string line = "Watching " + ReadableLevelName(parts_[part_].level);
    if (fast_) line += "    4x";
    if (playback_->Finished() && part_ + 1 >= parts_.size()) line += "    End of the run: " + (frame.input.PadUsed() ? std::string("B") : BoundKeyName(Action::Back));
    look_.Overlay(line, FpsText(frame.fps));
    DrawTouchButtons();
    g_device->EndScene();
    g_device->Present();
}

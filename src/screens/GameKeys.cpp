#include "screens/GameKeys.h"

#include <filesystem>

#include "platform/Keyboard.h"
#include "profile/ProfileSession.h"
#include "screens/InputPath.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {
// Walk, strafe and fly in world units per second; pitch, yaw and roll in radians per second.
constexpr double kMoveSpeed = 2.5;
constexpr double kTurnSpeed = 0.1;

// A camera file outside the data folder lives in a folder of the game's own, made on first use.
void SaveCamera(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    g_camera.Save(file);
}

// Each query clears the key's pressed-since bit, so the order of the polls below matters.
bool Pressed(Keyboard& keys, int key) { return KeyCountsAsPressed(keys.GetAsyncKeyState(key)); }

bool Released(Keyboard& keys, int key, KeyLatch& latch) { return PolledRelease(keys, key, latch.set); }

float Scaled(double speed, float dt) { return static_cast<float>(speed * dt); }

}  // namespace

void FlyFreeCamera(float dt, Keyboard& keys) {
    if (Pressed(keys, BoundKey(Action::WalkForward))) g_camera.Walk(Scaled(kMoveSpeed, dt));
    if (Pressed(keys, BoundKey(Action::WalkBack))) g_camera.Walk(Scaled(-kMoveSpeed, dt));
    if (Pressed(keys, BoundKey(Action::StrafeLeft))) g_camera.Strafe(Scaled(-kMoveSpeed, dt));
    if (Pressed(keys, BoundKey(Action::StrafeRight))) g_camera.Strafe(Scaled(kMoveSpeed, dt));
    if (Pressed(keys, BoundKey(Action::FlyUp))) g_camera.Fly(Scaled(kMoveSpeed, dt));
    if (Pressed(keys, BoundKey(Action::FlyDown))) g_camera.Fly(Scaled(-kMoveSpeed, dt));
    if (Pressed(keys, BoundKey(Action::PitchUp))) g_camera.Pitch(Scaled(kTurnSpeed, dt));
    if (Pressed(keys, BoundKey(Action::PitchDown))) g_camera.Pitch(Scaled(-kTurnSpeed, dt));
    if (Pressed(keys, BoundKey(Action::YawLeft))) g_camera.Yaw(Scaled(-kTurnSpeed, dt));
    if (Pressed(keys, BoundKey(Action::YawRight))) g_camera.Yaw(Scaled(kTurnSpeed, dt));
    if (Pressed(keys, BoundKey(Action::RollLeft))) g_camera.Roll(Scaled(kTurnSpeed, dt));
    // M (by default) also toggles the music on release; while paused it rolls the camera as well.
    if (Pressed(keys, BoundKey(Action::RollRight))) g_camera.Roll(Scaled(-kTurnSpeed, dt));
}

namespace {

void HandleGameKeys(float dt, const GameKeys& context) {
    Keyboard& keys = context.keys;
    // Not latched: held down, the camera file is written again every frame.
    if (Pressed(keys, BoundKey(Action::SaveCamera))) SaveCamera(context.cameraFile);
    if (Released(keys, BoundKey(Action::Grid), g_latchG)) g_showGrid = !g_showGrid;
    if (Released(keys, BoundKey(Action::Pointer), g_latchV)) g_showClickVector = !g_showClickVector;
    if (Released(keys, BoundKey(Action::Pause), g_latchPause)) g_paused = !g_paused;
    if (Released(keys, BoundKey(Action::Skip), g_latchEnd)) {
        // Past the last level LoadLevel starts again at level 0 and resets the index itself.
        ++g_levelIndex;
        LoadLevel(g_levelIndex);
    }
    if (g_paused) FlyFreeCamera(dt, keys);
}

// The title menu, game-over and level-complete screens; the introduction has no keys of its own.
int HandleScreenKeys(Keyboard& keys) {
    if (g_showTitleMenu) {
        // The Escape latch is shared with the way back to the title menu, so one press during
        // play only raises the menu and a second one, made on the menu, ends the program.
        if (Released(keys, BoundKey(Action::Back), g_latchEscape)) return 1;
        if (Pressed(keys, kVkSpace)) {
            LoadLevel(g_levelIndex);
            g_showTitleMenu = false;
            g_showIntroduction = false;
        }
        if (Pressed(keys, kVkF1)) {
            g_showTitleMenu = false;
            g_showIntroduction = true;
        }
    } else if (g_level && g_level->lost) {
        if (Pressed(keys, kVkSpace)) LoadLevel(g_levelIndex);
    } else if (g_level && g_level->won) {
        if (Pressed(keys, kVkSpace)) {
            ++g_levelIndex;
            if (LoadLevel(g_levelIndex) != 0) {
                g_levelIndex = 0;
                LoadLevel(0);
            }
        }
    }
    return 0;
}
}  // namespace

bool PolledRelease(Keyboard& keys, int vk, bool& latch) {
    if (Pressed(keys, vk)) {
        latch = true;
        return false;
    }
    const bool released = latch;
    latch = false;
    return released;
}

int HandleKeyboard(float dt, const GameKeys& context) {
    Keyboard& keys = context.keys;
    if (!g_device) return 0;
    if (Released(keys, BoundKey(Action::Music), g_latchM)) g_musicOff = !g_musicOff;
    if (!g_showTitleMenu && Released(keys, BoundKey(Action::Back), g_latchEscape)) {
        g_showTitleMenu = true;
        g_showIntroduction = false;
    }
    const bool lost = g_level && g_level->lost;
    const bool won = g_level && g_level->won;
    if (!lost && !won && !g_showTitleMenu && !g_showIntroduction) {
        HandleGameKeys(dt, context);
        return 0;
    }
    return HandleScreenKeys(keys);
}

#include "shell/KeyboardInput.h"

#include <filesystem>

#include "shell/LoadInterrupt.h"
#include "state/LevelProgression.h"
#include "platform/Keyboard.h"
#include "state/GameState.h"

namespace {
// Walk, strafe and fly in world units per second; pitch, yaw and roll in radians per second.
constexpr double kMoveSpeed = 2.5;
constexpr double kTurnSpeed = 0.1;

Keyboard* g_inputKeyboard = nullptr;
std::string g_cameraFile = "camera.txt";

// A camera file outside the data folder lives in a folder of the game's own, made on first use.
void SaveCamera() {
    const std::filesystem::path folder = std::filesystem::path(g_cameraFile).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    g_camera.Save(g_cameraFile);
}

// Each query clears the key's pressed-since bit, so the order of the polls below matters.
bool Pressed(int key) { return KeyCountsAsPressed(InputKeyboard().GetAsyncKeyState(key)); }

// A latched key acts once, in the first frame after it stops counting as pressed.
bool Released(int key, KeyLatch& latch) {
    if (Pressed(key)) {
        latch.set = true;
        return false;
    }
    if (latch.set) {
        latch.set = false;
        return true;
    }
    return false;
}

float Scaled(double speed, float dt) { return static_cast<float>(speed * dt); }

}  // namespace

void FlyFreeCamera(float dt) {
    if (Pressed('W')) g_camera.Walk(Scaled(kMoveSpeed, dt));
    if (Pressed('S')) g_camera.Walk(Scaled(-kMoveSpeed, dt));
    if (Pressed('A')) g_camera.Strafe(Scaled(-kMoveSpeed, dt));
    if (Pressed('D')) g_camera.Strafe(Scaled(kMoveSpeed, dt));
    if (Pressed('R')) g_camera.Fly(Scaled(kMoveSpeed, dt));
    if (Pressed('F')) g_camera.Fly(Scaled(-kMoveSpeed, dt));
    if (Pressed(kVkUp)) g_camera.Pitch(Scaled(kTurnSpeed, dt));
    if (Pressed(kVkDown)) g_camera.Pitch(Scaled(-kTurnSpeed, dt));
    if (Pressed(kVkLeft)) g_camera.Yaw(Scaled(-kTurnSpeed, dt));
    if (Pressed(kVkRight)) g_camera.Yaw(Scaled(kTurnSpeed, dt));
    if (Pressed('N')) g_camera.Roll(Scaled(kTurnSpeed, dt));
    // M also toggles the music on release; while paused it rolls the camera as well.
    if (Pressed('M')) g_camera.Roll(Scaled(-kTurnSpeed, dt));
}

namespace {

void HandleGameKeys(float dt) {
    // Not latched: held down, the camera file is written again every frame.
    if (Pressed('C')) SaveCamera();
    if (Released('G', g_latchG)) g_showGrid = !g_showGrid;
    if (Released('V', g_latchV)) g_showClickVector = !g_showClickVector;
    if (Released(kVkPause, g_latchPause)) g_paused = !g_paused;
    if (Released(kVkEnd, g_latchEnd)) {
        // Past the last level LoadLevel starts again at level 0 and resets the index itself.
        ++g_levelIndex;
        LoadLevel(g_levelIndex);
    }
    if (g_paused) FlyFreeCamera(dt);
}

// The title menu, game-over and level-complete screens; the introduction has no keys of its own.
int HandleScreenKeys() {
    if (g_showTitleMenu) {
        // The Escape latch is shared with the way back to the title menu, so one press during
        // play only raises the menu and a second one, made on the menu, ends the program.
        if (Released(kVkEscape, g_latchEscape)) return 1;
        if (Pressed(kVkSpace)) {
            LoadLevel(g_levelIndex);
            g_showTitleMenu = false;
            g_showIntroduction = false;
        }
        if (Pressed(kVkF1)) {
            g_showTitleMenu = false;
            g_showIntroduction = true;
        }
    } else if (g_level && g_level->lost) {
        if (Pressed(kVkSpace)) LoadLevel(g_levelIndex);
    } else if (g_level && g_level->won) {
        if (Pressed(kVkSpace)) {
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

void SetInputKeyboard(Keyboard* keyboard) { g_inputKeyboard = keyboard; }

Keyboard& InputKeyboard() { return g_inputKeyboard ? *g_inputKeyboard : SystemKeyboard(); }

void SetCameraFile(const std::string& path) { g_cameraFile = path; }

bool KeyCountsAsPressed(uint16_t state) {
    // The state sign-extended to 32 bits: the down bit lands in bit 19, the pressed-since bit stays in bit 0.
    const int32_t extended = static_cast<int16_t>(state);
    return (extended & 0x8000F) != 0;
}

int HandleKeyboard(float dt) {
    if (!g_device) return 0;
    if (Released('M', g_latchM)) g_musicOff = !g_musicOff;
    if (!g_showTitleMenu && Released(kVkEscape, g_latchEscape)) {
        g_showTitleMenu = true;
        g_showIntroduction = false;
    }
    const bool lost = g_level && g_level->lost;
    const bool won = g_level && g_level->won;
    if (!lost && !won && !g_showTitleMenu && !g_showIntroduction) {
        HandleGameKeys(dt);
        return QuitAskedDuringLoad() ? 1 : 0;
    }
    // A load cut short by a quit leaves no level; the program ends before another frame.
    const int result = HandleScreenKeys();
    return QuitAskedDuringLoad() ? 1 : result;
}

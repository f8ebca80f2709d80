#include "shell/RunWatch.h"

#include <iostream>
#include <memory>
#include <vector>

#include "graphics/HeadUpDisplay.h"
#include "graphics/SceneRendering.h"
#include "platform/Keyboard.h"
#include "profile/LevelIdentity.h"
#include "profile/PlayReport.h"
#include "profile/ProfileFiles.h"
#include "profile/RunPlayback.h"
#include "profile/RunScript.h"
#include "shell/KeyboardInput.h"
#include "shell/ScreenDrawing.h"
#include "shell/ScreenKeys.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

constexpr double kFastSpeed = 4.0;
// After a part, before the next one starts.
constexpr float kPauseBetweenParts = 1.5f;

struct Watch {
    std::vector<RunPart> parts;
    size_t part = 0;
    std::unique_ptr<RunPlayback> playback;
    bool fast = false;
    bool reported = false;
    float sincePartEnd = 0.0f;
};

Watch watch;

void StartPart() {
    const RunPart& part = watch.parts[watch.part];
    LoadLevelFromPath(part.level);
    g_paused = false;
    g_showTitleMenu = false;
    g_showIntroduction = false;
    watch.playback = std::make_unique<RunPlayback>(part.commands);
    watch.reported = false;
    watch.sincePartEnd = 0.0f;
}

void DrawWatch(int fps) {
    if (!BeginPlayFrame()) return;
    DrawLevelScene(true);
    std::string line = "Watching " + ReadableLevelName(watch.parts[watch.part].level);
    if (watch.fast) line += "    4x";
    if (watch.playback->Finished() && watch.part + 1 >= watch.parts.size()) line += "    End of the run: Escape";
    DrawScreenText(line, 0, 30, 0xFF000000u);
    DrawScreenText(FpsText(fps), 0, 0, 0xFF000000u);
    g_device->EndScene();
    g_device->Present();
}

}  // namespace

bool StartWatching(const std::string& file, std::string* why) {
    std::string text, reason;
    const int read = ReadWholeFile(file, &text, &reason);
    if (read != 0) {
        *why = file + (read == 1 ? ": no such file" : ": " + reason);
        return false;
    }
    std::vector<RunPart> parts;
    if (!ReadRunParts(text, &parts, &reason)) {
        *why = file + ": " + reason;
        return false;
    }
    if (parts.empty()) {
        *why = file + " names no level (no \"# level\" line)";
        return false;
    }
    for (const RunPart& part : parts) {
        const std::string hash = LevelFileHash(part.level);
        if (hash.empty()) {
            *why = "the run's level " + part.level + " is not there";
            return false;
        }
        if (!part.content.empty() && part.content != hash) {
            *why = "the level " + part.level + " has changed since this run: it no longer fits";
            return false;
        }
    }
    watch = Watch{};
    watch.parts = std::move(parts);
    StartPart();
    return true;
}

bool WatchFrame(const ScreenKeys& keys, float dt, int fps) {
    if (keys.Released(kVkEscape) || watch.parts.empty()) {
        watch = Watch{};
        g_paused = false;
        return false;
    }
    if (keys.Went(kVkTab)) watch.fast = !watch.fast;
    if (keys.Went(kVkPause)) g_paused = !g_paused;
    if (g_paused) {
        FlyFreeCamera(dt);
    } else if (!watch.playback->Finished()) {
        watch.playback->Advance(watch.fast ? dt * kFastSpeed : dt);
    } else {
        if (!watch.reported && g_level) {
            std::cout << ReportLevel(*g_level, g_bullets.size()) << std::endl;
            watch.reported = true;
        }
        watch.sincePartEnd += dt;
        if (watch.part + 1 < watch.parts.size() && watch.sincePartEnd >= kPauseBetweenParts) {
            ++watch.part;
            StartPart();
        }
    }
    DrawWatch(fps);
    return true;
}

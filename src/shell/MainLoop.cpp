#include "shell/MainLoop.h"

#include "audio/Music.h"
#include "graphics/MenuScreens.h"
#include "graphics/SceneRendering.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "resources/ResourceCatalogue.h"
#include "rules/UpdateGame.h"
#include "shell/BenchRun.h"
#include "shell/FrameTimer.h"
#include "state/GameState.h"
#include "shell/KeyboardInput.h"
#include "shell/ProfileScreens.h"
#include "shell/ProfileSession.h"
#include "shell/LevelWatch.h"
#include "shell/ReplayRecorder.h"

bool MenuScreenUp() {
    if (g_showTitleMenu || g_showIntroduction) return true;
    return g_level && (g_level->lost || g_level->won);
}

bool RunFrame(FrameTimer& timer, int64_t now) {
    KeepLevelFresh();
    const float dt = timer.BeginFrame(now);
    // The level list, the settings and watching a run take the whole frame while they are up.
    if (RunProfileFrame(timer, dt, now)) return true;
    if (HandleKeyboard(dt) != 0) return false;
    // A paused game is still drawn (with "PAUSED"), but it does not move.
    if (!g_paused && !MenuScreenUp()) {
        RecordFrame(dt);
        UpdateGame(dt);
    }
    KeepProfileUpToDate();
    timer.EndFrame(now);
    if (MenuScreenUp()) {
        RenderMenus(dt, timer.Fps());
    } else {
        RenderGame(dt, timer.Fps());
    }
    // Last in the frame: restarts the music when it has ended, or keeps it stopped.
    KeepMusicGoing(g_soundSystem, g_catalogue ? g_catalogue->FindSound("blues") : nullptr, g_musicOff);
    return true;
}

void RunMainLoop() {
    FrameTimer timer(PerformanceFrequency(), PerformanceCounter());
    StartBenchRun(PerformanceCounter(), PerformanceFrequency());
    for (;;) {
        // Every pending message is handled before a frame runs; a frame runs at once when the
        // queue is empty.
        WindowMessage message;
        if (PeekWindowMessage(&message)) {
            if (message.message == kWmQuit) return;
            DispatchWindowMessage(message);
            continue;
        }
        if (!RunFrame(timer, PerformanceCounter())) return;
        if (BenchRunOver(PerformanceCounter())) return;
    }
}

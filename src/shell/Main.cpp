// The game's entry point: window, device, resources, first level, then the frame loop.
#include "graphics/GraphicsErrors.h"
#include "graphics/GraphicsSetup.h"
#include "state/LevelProgression.h"
#include "platform/Window.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "shell/MainLoop.h"
#include "shell/WindowProc.h"

// The game's one window; it lives as long as the process, like the catalogue.
static Window* g_window = nullptr;

int main() {
    g_window = Window::Create("Tracklet", 100, 100, 1024, 768, WindowProc);
    Identity(&g_identity);
    // A failing set-up has shown its message; the window is never shown.
    if (Failed(InitGraphics(g_window))) return 0;

    g_catalogue = new ResourceCatalogue(g_device, g_soundSystem);
    g_levelIndex = 0;
    LoadLevel(g_levelIndex);
    if (!g_level) {
        // Every frame reads the level in play, so without one there is no game to run.
        ShowErrorBox("No level to play: levels.txt names no level.");
        ReleaseGraphics();
        return 0;
    }
    if (g_window) g_window->Show();
    RunMainLoop();
    ReleaseGraphics();
    return 0;
}

// The game's entry point: window, device, resources, first level, then the frame loop.
#include <string_view>

#include "graphics/GraphicsErrors.h"
#include "graphics/GraphicsSetup.h"
#include "level/LevelProgression.h"
#include "platform/LoadReport.h"
#include "platform/Window.h"
#include "resources/ResourceCatalogue.h"
#include "shell/GameState.h"
#include "shell/MainLoop.h"
#include "shell/WindowProc.h"

// The game's one window; it lives as long as the process, like the catalogue.
static Window* g_window = nullptr;

int main(int argc, char** argv) {
    // --verbose: one line on stderr for every file that failed to load or was refused, and why.
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--verbose") PrintLoadReports();
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

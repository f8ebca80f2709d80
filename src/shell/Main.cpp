// The game's entry point: command line, data folder, window, device, resources, first level,
// then the frame loop.
#include <cstdlib>
#include <filesystem>

#include "graphics/GraphicsErrors.h"
#include "graphics/GraphicsSetup.h"
#include "platform/GamePad.h"
#include "platform/LoadReport.h"
#include "platform/Paths.h"
#include "platform/ProcessMemory.h"
#include "platform/Window.h"
#include "resources/ResourceCatalogue.h"
#include "editor/EditScreen.h"
#include "profile/ProfileSession.h"
#include "profile/ReplayRecorder.h"
#include "shell/CommandLine.h"
#include "shell/DataFolder.h"
#include "shell/MainLoop.h"
#include "shell/OwnLevel.h"
#include "shell/WindowProc.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

#ifndef TRACKLET_INSTALLED_DATA
#define TRACKLET_INSTALLED_DATA "../share/tracklet"
#endif

// The game's one window; it lives as long as the process, like the catalogue.
static Window* g_window = nullptr;

namespace {
// Makes the chosen data folder the current one, since every data file is named relative to it,
// and decides where the camera file goes. False, after saying why, when there is no data there.
bool EnterDataFolder(const std::string& given) {
    std::error_code ec;
    const std::string current = std::filesystem::current_path(ec).string();
    // Relative to the program itself, so the installed tree can be moved as a whole.
    const std::string installed =
        std::filesystem::path(ExecutableFolder() + TRACKLET_INSTALLED_DATA).lexically_normal().string();
    const DataFolderChoice choice = ChooseDataFolder(given, current, installed);
    const std::string& folder = choice.folder;
    // Asked once, before moving: a relative folder names another place afterwards.
    const bool holdsData = HoldsGameData(folder);
    if (holdsData) std::filesystem::current_path(folder, ec);
    if (!holdsData || ec) {
        ShowErrorBox("No game data in " + folder +
                     " (styles.txt and levels.txt): start Tracklet in its data folder or give --data DIR.");
        return false;
    }
    // The installed data is shared by every player and updated by the package manager: never
    // written, even by root, who could.
    const bool cameraInDataFolder = !choice.installed && FolderWritable(".");
    SetCameraFile(CameraFilePath(cameraInDataFolder, std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    PrepareLargeBufferMemory();
    CommandLine options;
    if (const int status = ParseCommandLine(argc, argv, &options); status >= 0) return status;
    // One line on stderr for every file that failed to load or was refused, and why.
    if (options.verbose) PrintLoadReports();
    // Opened before the data folder becomes the current one, so a relative name means where the
    // player started the game.
    if (!options.recordFile.empty() && !StartRecording(options.recordFile)) {
        ShowErrorBox("Cannot write the recording " + options.recordFile + ".");
        return 1;
    }
    // Named relative to where the player started the game, like the recording.
    for (std::string* path : {&options.profileFolder, &options.replayFile})
        if (!path->empty()) *path = std::filesystem::absolute(*path).lexically_normal().string();
    OpenProfile(options.profileFolder);
    if (options.pacingGiven) SetRunPacing(options.pacing);
    if (!EnterDataFolder(options.dataFolder)) return 1;

    // --window wins over the stored choice of a window, which has the window's usual size.
    if (options.windowWidth == 0 && !CurrentSettings().fullScreen) {
        options.windowWidth = 1024;
        options.windowHeight = 768;
    }
    const bool windowed = options.windowWidth > 0;
    g_window = Window::Create("Tracklet", 100, 100, windowed ? options.windowWidth : 1024,
                              windowed ? options.windowHeight : 768, WindowProc);
    Identity(&g_identity);
    // A failing set-up has shown its message; the window is never shown.
    const WindowedSize size{static_cast<uint32_t>(options.windowWidth), static_cast<uint32_t>(options.windowHeight)};
    if (Failed(InitGraphics(g_window, size))) return 0;

    SetProfileWindow(g_window, !windowed);
    g_musicOff = !CurrentSettings().musicOn;
    g_catalogue = new ResourceCatalogue(g_device, g_soundSystem);
    LoadLevelSets();
    ApplySoundVolumes();
    if (!options.editFile.empty()) {
        if (g_window) g_window->Show();
        const int status = RunEditMode({options.editFile, options.gridWidth, options.gridHeight});
        ReleaseGraphics();
        return status;
    }
    // The player's own pad mappings live beside the settings.
    const std::string& configFolder = ProfileFolders().configFolder;
    OpenGamePads(configFolder.empty() ? std::string() : configFolder + "/gamecontrollerdb.txt");
    std::string why;
    if (!options.padScript.empty() && !StartPadScript(std::move(options.padScript), &why)) {
        ShowErrorBox("Cannot play the pad script " + options.padScriptFile + ": " + why + ".");
        ReleaseGraphics();
        return 1;
    }
    if (!options.levelFile.empty()) PlayOnlyLevel(options.levelFile);
    std::string ownLevel;
    if (!MakeOwnLevel(options, &ownLevel)) {
        ReleaseGraphics();
        return 1;
    }
    if (options.watch) WatchLevelFiles();
    g_levelIndex = 0;
    // A long load still answers the window: closing it or Escape ends the program at once.
    SetLevelLoadCheck(KeepLoadingLevel);
    LoadLevel(g_levelIndex);
    if (!g_level && QuitAskedDuringLoad()) {
        ReleaseGraphics();
        return 0;
    }
    if (!g_level) {
        // Every frame reads the level in play, so without one there is no game to run.
        ShowErrorBox("No level to play: levels.txt names no level.");
        ReleaseGraphics();
        return 0;
    }
    if (g_window) g_window->Show();
    if (!options.replayFile.empty()) WatchRecording(options.replayFile);
    RunMainLoop();
    CloseGamePads();
    ReleaseGraphics();
    if (!StopRecording()) ShowErrorBox("The recording " + options.recordFile + " could not be written in full.");
    return 0;
}

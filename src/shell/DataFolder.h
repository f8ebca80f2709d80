#pragma once
#include <string>

// True when `folder` holds the two files every data folder starts with: styles.txt and levels.txt.
bool HoldsGameData(const std::string& folder);

// The data folder chosen, and whether it is the installed one (read only for the game, whoever runs it).
struct DataFolderChoice {
    std::string folder;
    bool installed = false;
};

// The folder the game reads its data from: `given` (--data) when not empty; else `currentFolder`
// when it holds game data (the level author's workflow and the source tree's data/); else
// `installedFolder`, the data installed beside the program.
DataFolderChoice ChooseDataFolder(const std::string& given, const std::string& currentFolder,
                                  const std::string& installedFolder);

// Where the camera file goes: "camera.txt" in the data folder (the current folder while the game
// runs) when the game may write there (`inDataFolder`: a writable folder that is not the installed
// data); else under $XDG_DATA_HOME/tracklet/ (only an absolute
// XDG_DATA_HOME counts), else under $HOME/.local/share/tracklet/. Null variables count as unset.
std::string CameraFilePath(bool inDataFolder, const char* xdgDataHome, const char* home);

#pragma once
#include <string>

// True when `folder` holds the two files every data folder starts with: styles.txt and levels.txt.
bool HoldsGameData(const std::string& folder);

// The folder the game reads its data from: `given` (--data) when not empty; else `currentFolder`
// when it holds game data (the level author's workflow and the source tree's data/); else
// `installedFolder`, the data installed beside the program.
std::string ChooseDataFolder(const std::string& given, const std::string& currentFolder,
                             const std::string& installedFolder);

// Where the camera file goes: "camera.txt" in the data folder (the current folder while the game
// runs) when that is writable; else under $XDG_DATA_HOME/tracklet/ (only an absolute
// XDG_DATA_HOME counts), else under $HOME/.local/share/tracklet/. Null variables count as unset.
std::string CameraFilePath(bool dataFolderWritable, const char* xdgDataHome, const char* home);

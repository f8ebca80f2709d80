#include "shell/DataFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {
constexpr const char* kCameraFile = "camera.txt";

bool Set(const char* variable) { return variable && *variable; }
}  // namespace

bool HoldsGameData(const std::string& folder) {
    std::error_code ignored;
    const fs::path root(folder);
    return fs::is_regular_file(root / "styles.txt", ignored) && fs::is_regular_file(root / "levels.txt", ignored);
}

DataFolderChoice ChooseDataFolder(const std::string& given, const std::string& currentFolder,
                                  const std::string& installedFolder) {
    if (!given.empty()) return {given, false};
    if (HoldsGameData(currentFolder)) return {currentFolder, false};
    return {installedFolder, true};
}

std::string CameraFilePath(bool inDataFolder, const char* xdgDataHome, const char* home) {
    if (inDataFolder) return kCameraFile;
    // The XDG base directory rules ignore a relative XDG_DATA_HOME.
    if (Set(xdgDataHome) && xdgDataHome[0] == '/') return (fs::path(xdgDataHome) / "tracklet" / kCameraFile).string();
    if (Set(home)) return (fs::path(home) / ".local/share/tracklet" / kCameraFile).string();
    // Nowhere better to go: the save fails quietly, as an unwritable camera file always has.
    return kCameraFile;
}

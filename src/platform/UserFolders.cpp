#include "platform/UserFolders.h"

namespace {
bool Absolute(const char* variable) { return variable && variable[0] == '/'; }

std::string Choose(const char* xdgVariable, const char* home, const char* underHome) {
    if (Absolute(xdgVariable)) return std::string(xdgVariable) + "/tracklet";
    if (home && *home) return std::string(home) + underHome;
    return {};
}
}  // namespace

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
    return Choose(xdgDataHome, home, "/.local/share/tracklet");
}

std::string UserConfigFolder(const char* xdgConfigHome, const char* home) {
    return Choose(xdgConfigHome, home, "/.config/tracklet");
}

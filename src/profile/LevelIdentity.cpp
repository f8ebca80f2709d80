#include "profile/LevelIdentity.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "profile/RunScript.h"

std::string LevelFileHash(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return ContentHash(bytes.str());
}

std::string LevelFileName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ReadableLevelName(const std::string& listName) {
    std::string name = std::filesystem::path(LevelFileName(listName)).stem().string();
    const size_t start = name.find_first_not_of("0123456789");
    if (start != std::string::npos && start > 0 && name[start] == '_') name.erase(0, start + 1);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

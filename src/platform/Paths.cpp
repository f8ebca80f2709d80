#include "platform/Paths.h"

#include <SDL.h>
#include <unistd.h>

std::string ExecutableFolder() {
    // SDL resolves the program's own path (/proc/self/exe on Linux) without starting a subsystem.
    char* base = SDL_GetBasePath();
    if (!base) return {};
    std::string folder(base);
    SDL_free(base);
    return folder;
}

bool FolderWritable(const std::string& folder) {
    return !folder.empty() && access(folder.c_str(), W_OK | X_OK) == 0;
}

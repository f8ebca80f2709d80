#include "shell/LevelWatch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "authoring/LevelCheck.h"
#include "graphics/HeadUpDisplay.h"
#include "level/Level.h"
#include "level/TokenReader.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

struct FileStamp {
    std::filesystem::file_time_type time{};
    uintmax_t size = 0;
    bool exists = false;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path) {
    std::error_code ec;
    FileStamp stamp;
    stamp.time = std::filesystem::last_write_time(path, ec);
    if (ec) return stamp;
    stamp.size = std::filesystem::file_size(path, ec);
    stamp.exists = !ec;
    return stamp;
}

bool watching = false;
uint64_t watchedStart = 0;  // LevelStartCount() of the level whose file is watched
FileStamp seen;

// The checker's first error about the text, as the level tool prints it; empty when it loads.
std::string FirstError(const std::string& path, const std::string& text) {
    for (const Diagnostic& d : CheckLevelText(text, nullptr))
        if (d.kind == Diagnostic::Kind::Error) return FormatDiagnostic(path, d);
    return "";
}

}  // namespace

void WatchLevelFiles() { watching = true; }

void KeepLevelFresh() {
    if (!watching || !g_level) return;
    const std::string path = StartedLevelPath();
    if (watchedStart != LevelStartCount()) {
        // A level started (by the game or by a reload): its file as it is now is the one in play.
        watchedStart = LevelStartCount();
        seen = StampOf(path);
        return;
    }
    const FileStamp now = StampOf(path);
    if (now == seen) return;
    seen = now;
    std::string text;
    std::string error = ReadTextFile(path, &text) ? FirstError(path, text) : path + ": error: cannot be opened";
    // Said on standard error as well, for the author's terminal.
    SetHeadUpNotice(error);
    if (!error.empty()) {
        std::fprintf(stderr, "tracklet: %s\n", error.c_str());
        return;
    }
    LoadLevelFromPath(path);
    watchedStart = LevelStartCount();
    std::fprintf(stderr, "tracklet: %s changed: play starts again from it\n", path.c_str());
}

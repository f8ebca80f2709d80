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

LevelFileWatch::FileStamp StampOf(const std::string& path) {
    std::error_code ec;
    LevelFileWatch::FileStamp stamp;
    stamp.time = std::filesystem::last_write_time(path, ec);
    if (ec) return stamp;
    stamp.size = std::filesystem::file_size(path, ec);
    stamp.exists = !ec;
    return stamp;
}

// The checker's first error about the text, as the level tool prints it; empty when it loads.
std::string FirstError(const std::string& path, const std::string& text) {
    for (const Diagnostic& d : CheckLevelText(text, nullptr))
        if (d.kind == Diagnostic::Kind::Error) return FormatDiagnostic(path, d);
    return "";
}

}  // namespace

void LevelFileWatch::KeepLevelFresh() {
    if (!watching_ || !g_level) return;
    const std::string path = StartedLevelPath();
    if (watchedStart_ != LevelStartCount()) {
        // A level started (by the game or by a reload): its file as it is now is the one in play.
        watchedStart_ = LevelStartCount();
        seen_ = StampOf(path);
        return;
    }
    const LevelFileWatch::FileStamp now = StampOf(path);
    if (now == seen_) return;
    seen_ = now;
    std::string text;
    std::string error = ReadTextFile(path, &text) ? FirstError(path, text) : path + ": error: cannot be opened";
    // Said on standard error as well, for the author's terminal.
    SetHeadUpNotice(error);
    if (!error.empty()) {
        std::fprintf(stderr, "tracklet: %s\n", error.c_str());
        return;
    }
    LoadLevelFromPath(path);
    watchedStart_ = LevelStartCount();
    std::fprintf(stderr, "tracklet: %s changed: play starts again from it\n", path.c_str());
}

#include "profile/ProfileFiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/UserFolders.h"

namespace fs = std::filesystem;

namespace {

// Larger than any profile file or recording the game writes: read no further.
constexpr uintmax_t kMaxFileBytes = uintmax_t{64} << 20;

bool MakeFolder(const std::string& folder, std::string* why) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        *why = folder + ": " + (ec ? ec.message() : "not a folder");
        return false;
    }
    return true;
}

// "01_first_shot-0123abcd-200-7970.sim": the level, its content, the score and the time in ms.
std::string ReplayName(const LevelRecord& record) {
    const std::string stem = fs::path(record.file).stem().string();
    return stem + "-" + record.content.substr(0, 8) + "-" + std::to_string(record.bestScore) + "-" +
           std::to_string(static_cast<long long>(record.bestTime * 1000.0 + 0.5)) + ".sim";
}

// Removes the replay files of `before` that no record of `after` names.
void RemoveUnnamedReplays(const ProfilePaths& paths, const std::set<std::string>& candidates, const Progress& after) {
    std::set<std::string> named;
    for (const LevelRecord& r : after.levels) named.insert(r.replay);
    for (const std::string& name : candidates) {
        if (name.empty() || named.count(name)) continue;
        std::error_code ignored;
        fs::remove(paths.ReplayFolder() + "/" + name, ignored);
    }
}

}  // namespace

ProfilePaths ChooseProfilePaths(const std::string& profileFolder, const char* xdgDataHome,
                                const char* xdgConfigHome, const char* home) {
    if (!profileFolder.empty()) return ProfilePaths{profileFolder, profileFolder};
    return ProfilePaths{UserDataFolder(xdgDataHome, home), UserConfigFolder(xdgConfigHome, home)};
}

int ReadWholeFile(const std::string& path, std::string* text, std::string* why) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) return 1;
    if (!fs::is_regular_file(status)) {
        *why = "not a file";
        return 2;
    }
    if (const uintmax_t size = fs::file_size(path, ec); !ec && size > kMaxFileBytes) {
        *why = "larger than 64 MiB";
        return 2;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf())) {
        // An empty file reads nothing and is still read.
        if (in && in.peek() == std::char_traits<char>::eof()) {
            text->clear();
            return 0;
        }
        *why = "cannot be read";
        return 2;
    }
    *text = bytes.str();
    return 0;
}

void KeepBadFile(const std::string& path, const std::string& why, std::ostream& err) {
    std::string kept = path + ".bad";
    std::error_code ec;
    for (int n = 2; fs::symlink_status(kept, ec).type() != fs::file_type::not_found && n < 1000; ++n)
        kept = path + ".bad." + std::to_string(n);
    fs::rename(path, kept, ec);
    if (ec) {
        err << "tracklet: " << path << ": " << why << "; starting afresh (it could not be kept aside: " << ec.message()
            << ")\n";
    } else {
        err << "tracklet: " << path << ": " << why << "; starting afresh, the file is kept as " << kept << "\n";
    }
}

namespace {
// The record in the file at `path` as `fromJson` reads it; the defaults when there is no file, and
// when the file is bad (it is then kept aside and said on err).
template <class Record>
Record LoadRecord(const std::string& path, bool (*fromJson)(const std::string&, Record*, std::string*),
                  std::ostream& err) {
    Record record;
    std::string text, why;
    const int read = ReadWholeFile(path, &text, &why);
    if (read == 1) return record;
    if (read == 0 && fromJson(text, &record, &why)) return record;
    KeepBadFile(path, why, err);
    return Record{};
}
}  // namespace

Progress LoadProgress(const std::string& path, std::ostream& err) { return LoadRecord(path, ProgressFromJson, err); }

Settings LoadSettings(const std::string& path, std::ostream& err) {
    Settings settings = LoadRecord(path, SettingsFromJson, err);
    for (const std::string& note : settings.notes) err << "tracklet: " << path << ": " << note << "\n";
    settings.notes.clear();
    return settings;
}

bool SaveSettings(const std::string& path, const Settings& settings, std::string* why) {
    const std::string folder = fs::path(path).parent_path().string();
    if (!folder.empty() && !MakeFolder(folder, why)) return false;
    std::string reason;
    if (ReplaceFile(path, SettingsToJson(settings), &reason)) return true;
    *why = path + ": " + reason;
    return false;
}

bool SaveWonRun(const ProfilePaths& paths, LevelRecord record, const std::string& runScript, Progress* progress,
                std::string* why, std::ostream& err) {
    record.won = true;
    record.replay = record.hinted ? "" : ReplayName(record);
    Progress mine;
    mine.levels.push_back(record);
    MergeProgress(progress, mine);
    if (paths.dataFolder.empty()) {
        *why = "no folder to keep it in (neither XDG_DATA_HOME nor HOME is set)";
        return false;
    }
    const std::string replayPath = paths.ReplayFolder() + "/" + record.replay;
    std::string reason;
    if (!MakeFolder(paths.ReplayFolder(), why)) return false;
    if (!record.hinted && !ReplaceFile(replayPath, runScript, &reason)) {
        *why = replayPath + ": " + reason;
        return false;
    }
    const std::string progressPath = paths.ProgressFile();
    bool saved = false;
    std::set<std::string> replays{record.replay};
    {
        FileLock lock(progressPath + ".lock");
        // What another game saved since this one read the file counts as much as this run.
        Progress current = LoadProgress(progressPath, err);
        for (const LevelRecord& r : current.levels) replays.insert(r.replay);
        MergeProgress(&current, *progress);
        saved = ReplaceFile(progressPath, ProgressToJson(current), &reason);
        if (saved) *progress = std::move(current);
    }
    if (!saved) {
        *why = progressPath + ": " + reason;
        std::error_code ignored;
        if (!record.hinted) fs::remove(replayPath, ignored);
        return false;
    }
    RemoveUnnamedReplays(paths, replays, *progress);
    return true;
}

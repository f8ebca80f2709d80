#pragma once
#include <iosfwd>
#include <string>

#include "profile/Progress.h"
#include "profile/Settings.h"

// Where the player's files live: progress.json and replays/ in the data folder, settings.json in
// the config folder. With --profile DIR both are DIR.
struct ProfilePaths {
    std::string dataFolder;
    std::string configFolder;
    std::string ProgressFile() const { return dataFolder + "/progress.json"; }
    std::string ReplayFolder() const { return dataFolder + "/replays"; }
    std::string SettingsFile() const { return configFolder + "/settings.json"; }
};

// `profileFolder` for both when not empty; else the XDG folders (see platform/UserFolders.h).
// Empty folders when nothing says where: the game then remembers nothing.
ProfilePaths ChooseProfilePaths(const std::string& profileFolder, const char* xdgDataHome,
                                const char* xdgConfigHome, const char* home);

// Reads the whole regular file at path into *text. 0 when read, 1 when there is no such file, 2
// with the reason in *why when something else stands there, it is larger than 64 MiB or it
// cannot be read.
int ReadWholeFile(const std::string& path, std::string* text, std::string* why);

// Moves a file that could not be used out of the way, to NAME.bad (NAME.bad.2, .3, ... when that
// is taken: a kept bad file is never overwritten), and says so in one line on err.
void KeepBadFile(const std::string& path, const std::string& why, std::ostream& err);

// The progress in the file; none when there is no file, or when it is bad (then kept aside).
Progress LoadProgress(const std::string& path, std::ostream& err);

// The settings in the file; the defaults when there is no file, or when it is bad (kept aside).
Settings LoadSettings(const std::string& path, std::ostream& err);

// Writes the settings file in one atomic replacement, making its folder; false with *why.
bool SaveSettings(const std::string& path, const Settings& settings, std::string* why);

// Saves a won run: its script into the replays folder, then, under a lock on the progress file,
// the current file read again, the record merged in (the better result of each level kept) and the
// file replaced atomically; replay files no record names any more are removed. *progress becomes
// what the file now holds. False, with *why, when anything could not be written (then *progress
// still has the run merged in, for the rest of this game). A hinted win keeps no run.
bool SaveWonRun(const ProfilePaths& paths, LevelRecord record, const std::string& runScript, Progress* progress,
                std::string* why, std::ostream& err);

#include "profile/ProfileSession.h"

#include "platform/KeyNames.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "audio/SoundSystem.h"
#include "graphics/HeadUpDisplay.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "profile/LevelIdentity.h"
#include "profile/OwnLevels.h"
#include "resources/ResourceCatalogue.h"
#include "profile/ReplayRecorder.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

constexpr float kNoticeSeconds = 6.0f;
constexpr const char* kSetsFile = "sets.txt";

struct Session {
    bool opened = false;  // OpenProfile ran: without it (tests of the frame loop) nothing is kept
    ProfilePaths paths;
    Progress progress;
    Settings settings;
    bool saidNotSaving = false;
    uint64_t savedStart = 0;  // LevelStartCount() of the last win saved
    std::optional<uint64_t> hintedStart;  // LevelStartCount() of the last level given a hint
    std::map<std::string, std::string> listedHashes;  // level path -> content hash, read once
    bool setsLoaded = false;
    std::vector<LevelSet> sets;  // as sets.txt lists them; none without the file or when it is refused
};

Session session;
Window* gameWindow = nullptr;
bool windowFullScreen = true;  // what the window is now, which --window may keep from the setting
FramePacing runPacing = FramePacing::Fast;  // how this run paces, which --pacing may keep from the setting

// The nearest folder that exists on the way up to `folder`.
std::string ExistingAncestor(std::filesystem::path folder) {
    std::error_code ec;
    while (!folder.empty() && !std::filesystem::exists(folder, ec) && folder.has_parent_path() &&
           folder.parent_path() != folder)
        folder = folder.parent_path();
    return folder.string();
}

void SaveCurrentSettings() {
    std::string why;
    if (session.paths.configFolder.empty()) return;
    if (!SaveSettings(session.paths.SettingsFile(), session.settings, &why)) SayNotSaving(why);
}

}  // namespace

void SetProfileWindow(Window* window, bool fullScreen) {
    gameWindow = window;
    windowFullScreen = fullScreen;
}

void CloseProfile() {
    session = Session{};
    ForgetOwnLevelOrigin();
    runPacing = FramePacing::Fast;
}

void SetRunPacing(FramePacing pacing) { runPacing = pacing; }

FramePacing RunPacing() { return runPacing; }

void OpenProfile(const std::string& profileFolder) {
    session = Session{};
    session.opened = true;
    session.paths = ChooseProfilePaths(profileFolder, std::getenv("XDG_DATA_HOME"), std::getenv("XDG_CONFIG_HOME"),
                                       std::getenv("HOME"));
    if (!session.paths.dataFolder.empty()) session.progress = LoadProgress(session.paths.ProgressFile(), std::cerr);
    if (!session.paths.configFolder.empty()) session.settings = LoadSettings(session.paths.SettingsFile(), std::cerr);
    windowFullScreen = session.settings.fullScreen;
    runPacing = session.settings.pacing;
    const std::string folder = session.paths.dataFolder;
    if (folder.empty()) {
        SayNotSaving("neither XDG_DATA_HOME nor HOME says where");
    } else if (!FolderWritable(ExistingAncestor(folder))) {
        SayNotSaving(folder + " cannot be written");
    }
}

const ProfilePaths& ProfileFolders() { return session.paths; }
const Progress& CurrentProgress() { return session.progress; }
const Settings& CurrentSettings() { return session.settings; }
int BoundKey(Action action) { return session.settings.controls.Key(action); }
std::string BoundKeyName(Action action) { return KeyName(BoundKey(action)); }
int ChosenKey(int defaultKey) {
    for (int i = 0; i < kActionCount; ++i)
        if (DefaultKey(static_cast<Action>(i)) == defaultKey) return BoundKey(static_cast<Action>(i));
    return defaultKey;
}

Settings SettingsAsShown() {
    Settings shown = session.settings;
    shown.fullScreen = windowFullScreen;
    shown.pacing = runPacing;
    return shown;
}

void SayNotSaving(const std::string& why) {
    if (session.saidNotSaving) return;
    session.saidNotSaving = true;
    std::cerr << "tracklet: progress is not being saved: " << why << "\n";
    ShowHudNotice("Progress is not being saved", kNoticeSeconds);
}

void ApplySoundVolumes() {
    if (!g_catalogue || !g_soundSystem) return;
    for (const auto& [name, sound] : g_catalogue->sounds)
        g_soundSystem->SetLoudness(sound.get(),
                                   name == "blues" ? session.settings.musicVolume : session.settings.effectsVolume);
}

namespace {
// Makes the window cover the screen or not, without touching the settings.
void ShowFullScreen(bool fullScreen) {
    if (gameWindow) gameWindow->SetFullScreenDesktop(fullScreen);
    windowFullScreen = fullScreen;
}
}  // namespace

void SetFullScreen(bool fullScreen) {
    ShowFullScreen(fullScreen);
    if (session.settings.fullScreen == fullScreen) return;
    session.settings.fullScreen = fullScreen;
    SaveCurrentSettings();
}

void ToggleFullScreen() { SetFullScreen(!windowFullScreen); }

void ChangeSettings(const Settings& shown) {
    const bool screenChanged = shown.fullScreen != windowFullScreen;
    session.settings = SettingsToKeep(session.settings, shown, windowFullScreen, runPacing);
    runPacing = shown.pacing;
    g_musicOff = !shown.musicOn;
    ApplySoundVolumes();
    if (screenChanged) ShowFullScreen(shown.fullScreen);
    SaveCurrentSettings();
}

namespace {
// The content hash of the listed level file, read once per game.
const std::string& ListedLevelHash(const std::string& path) {
    auto known = session.listedHashes.find(path);
    if (known == session.listedHashes.end()) known = session.listedHashes.emplace(path, LevelFileHash(path)).first;
    return known->second;
}
}  // namespace

void MarkLevelHinted() { session.hintedStart = LevelStartCount(); }

const LevelRecord* RecordOfListedLevel(const std::string& name) {
    const std::string path = LevelPath(name);
    return FindRecord(session.progress, LevelFileName(path), ListedLevelHash(path));
}

const LevelRecord* EarlierRecordOfListedLevel(const std::string& name) {
    const std::string path = LevelPath(name);
    return FindEarlierRecord(session.progress, LevelFileName(path), ListedLevelHash(path));
}

void LoadLevelSets() {
    if (session.setsLoaded) return;
    session.setsLoaded = true;
    session.sets.clear();
    std::error_code ec;
    if (!g_catalogue || !std::filesystem::exists(kSetsFile, ec)) return;
    SetsError error;
    if (ReadLevelSets(kSetsFile, g_catalogue->levels, &session.sets, &error)) return;
    session.sets.clear();
    std::cerr << "tracklet: " << FormatSetsError(kSetsFile, error) << "; the levels are played as one set\n";
}

std::vector<ShownSet> ShownLevelSets() {
    LoadLevelSets();
    if (!g_catalogue) return {};
    return ArrangeSets(session.sets, g_catalogue->levels);
}

std::vector<SetStanding> StandingOfSets(const std::vector<ShownSet>& sets) {
    const auto name = [](int32_t level) { return g_catalogue->levels[static_cast<size_t>(level)]; };
    LevelRecords records{[&](int32_t level) { return LevelFileName(LevelPath(name(level))); },
                         [&](int32_t level) { return RecordOfListedLevel(name(level)); }};
    return StandSets(sets, session.progress, records);
}

void KeepProfileUpToDate() {
    if (!session.opened) return;
    if (session.settings.musicOn == g_musicOff) {
        session.settings.musicOn = !g_musicOff;
        SaveCurrentSettings();
    }
    if (!g_level || !g_level->won || session.savedStart == LevelStartCount()) return;
    const RunScriptWriter* run = RunOfLevelInPlay();
    if (!run) return;
    session.savedStart = LevelStartCount();
    const std::string path = StartedLevelPath();
    LevelRecord record;
    record.file = LevelFileName(path);
    record.content = LevelFileHash(path);
    session.listedHashes[path] = record.content;
    record.hinted = session.hintedStart == LevelStartCount();
    record.bestScore = record.hinted ? 0 : g_level->score;
    record.bestTime = record.hinted ? 0.0 : run->Seconds();
    std::string why;
    if (!SaveWonRun(session.paths, record, run->Text(), &session.progress, &why, std::cerr)) SayNotSaving(why);
}

// What the game remembers: the merge that keeps the better result of each level, bad files set
// aside without loss, saves that re-read the file so two games never lose each other's results.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "TempDir.h"
#include "profile/ProfileFiles.h"
#include "profile/Progress.h"
#include "profile/Settings.h"

namespace fs = std::filesystem;

namespace {

LevelRecord Won(int32_t score, double time, const std::string& replay) {
    return LevelRecord{"01_a.txt", "00000000000000aa", true, score, time, replay};
}

// A win after a hint: no score, time or run.
LevelRecord Hinted() {
    LevelRecord record{"01_a.txt", "00000000000000aa", true, 0, 0.0, ""};
    record.hinted = true;
    return record;
}

std::string ReadText(const fs::path& path) {
    std::string text, why;
    EXPECT_EQ(ReadWholeFile(path.string(), &text, &why), 0) << path;
    return text;
}

TEST(ProgressMerge, KeepsTheBetterResultOfEachKind) {
    struct Case {
        const char* what;
        LevelRecord into, other;
        int32_t score;
        double time;
        const char* replay;
    };
    const LevelRecord notWon{"01_a.txt", "00000000000000aa", false, 0, 0.0, ""};
    const Case cases[] = {
        {"a first win is taken whole", notWon, Won(100, 9.0, "b"), 100, 9.0, "b"},
        {"a lost run changes nothing", Won(100, 9.0, "a"), notWon, 100, 9.0, "a"},
        {"higher score brings its replay, time stays shorter", Won(100, 5.0, "a"), Won(300, 9.0, "b"), 300, 5.0, "b"},
        {"lower score, shorter time: only the time", Won(300, 9.0, "a"), Won(100, 5.0, "b"), 300, 5.0, "a"},
        {"equal score: the shorter run's replay", Won(200, 9.0, "a"), Won(200, 5.0, "b"), 200, 5.0, "b"},
        {"equal score and time: the one kept", Won(200, 5.0, "a"), Won(200, 5.0, "b"), 200, 5.0, "a"},
        {"a hinted win is a win", notWon, Hinted(), 0, 0.0, ""},
        {"a win without a hint replaces a hinted one", Hinted(), Won(100, 9.0, "b"), 100, 9.0, "b"},
        {"a hinted win leaves a clean one as it is", Won(100, 9.0, "a"), Hinted(), 100, 9.0, "a"},
    };
    for (const Case& c : cases) {
        LevelRecord merged = c.into;
        MergeRecord(&merged, c.other);
        EXPECT_TRUE(merged.won == (c.into.won || c.other.won)) << c.what;
        EXPECT_EQ(merged.bestScore, c.score) << c.what;
        EXPECT_EQ(merged.bestTime, c.time) << c.what;
        EXPECT_EQ(merged.replay, c.replay) << c.what;
        // Here only a hinted result has no run.
        EXPECT_EQ(merged.hinted, std::string(c.replay).empty()) << c.what;
    }
}

TEST(ProgressMerge, LevelsAreKnownByFileAndContent) {
    Progress a;
    a.levels = {Won(100, 9.0, "a")};
    Progress b;
    LevelRecord changed = Won(50, 20.0, "c");
    changed.content = "00000000000000bb";  // the same file after an edit: a level of its own
    LevelRecord other = Won(10, 3.0, "d");
    other.file = "02_b.txt";
    b.levels = {changed, other, Won(200, 12.0, "e")};
    MergeProgress(&a, b);
    ASSERT_EQ(a.levels.size(), 3u);
    EXPECT_EQ(FindRecord(a, "01_a.txt", "00000000000000aa")->bestScore, 200);
    EXPECT_EQ(FindRecord(a, "01_a.txt", "00000000000000aa")->bestTime, 9.0);
    EXPECT_EQ(FindRecord(a, "01_a.txt", "00000000000000bb")->replay, "c");
    EXPECT_EQ(FindRecord(a, "02_b.txt", "00000000000000aa")->bestScore, 10);
    EXPECT_EQ(FindRecord(a, "03_c.txt", "00000000000000aa"), nullptr);
    // The record kept from before a file changed: of that file, under another content, with a run.
    const LevelRecord* earlier = FindEarlierRecord(a, "01_a.txt", "00000000000000dd");
    ASSERT_NE(earlier, nullptr);
    EXPECT_EQ(earlier->file, "01_a.txt");
    EXPECT_EQ(FindEarlierRecord(a, "02_b.txt", "00000000000000aa"), nullptr);
    EXPECT_EQ(FindEarlierRecord(a, "03_c.txt", "00000000000000aa"), nullptr);
    Progress runless;
    runless.levels = {LevelRecord{"01_a.txt", "00000000000000aa", true, 1, 1.0, ""}};
    EXPECT_EQ(FindEarlierRecord(runless, "01_a.txt", "00000000000000bb"), nullptr);
}

TEST(ProgressJson, ReadsBackWhatItWrites) {
    Progress progress;
    progress.levels = {Won(300, 7.792891060933471, "01_a-00000000-300-7793.sim")};
    progress.levels.push_back(LevelRecord{"02_b.txt", "00000000000000cc", true, -5, 0.25, "x.sim"});
    progress.levels.push_back(Hinted());
    progress.levels.back().file = "03_c.txt";
    // Only a hinted record says so: a player who never asks for a hint keeps the file as it was.
    const std::string json = ProgressToJson(progress);
    EXPECT_EQ(json.find("hinted"), json.rfind("hinted"));
    Progress read;
    std::string why;
    ASSERT_TRUE(ProgressFromJson(json, &read, &why)) << why;
    ASSERT_EQ(read.levels.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.levels[i].hinted, progress.levels[i].hinted);
        EXPECT_EQ(read.levels[i].file, progress.levels[i].file);
        EXPECT_EQ(read.levels[i].content, progress.levels[i].content);
        EXPECT_EQ(read.levels[i].bestScore, progress.levels[i].bestScore);
        EXPECT_EQ(read.levels[i].bestTime, progress.levels[i].bestTime);
        EXPECT_EQ(read.levels[i].replay, progress.levels[i].replay);
    }
}

TEST(ProgressJson, RefusesWhatItCannotTrust) {
    const std::string good = ProgressToJson(Progress{{Won(1, 2.0, "r.sim")}});
    const std::string entry =
        R"({"file":"a.txt","content":"c","won":true,"bestScore":1,"bestTime":2.0,"replay":"r.sim"})";
    const auto with = [](const std::string& e) { return R"({"version":1,"levels":[)" + e + "]}"; };
    const std::pair<const char*, std::string> cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"empty", ""},
        {"not an object", "[1, 2]"},
        {"newer version", R"({"version":2,"levels":[]})"},
        {"no version", R"({"levels":[]})"},
        {"levels not a list", R"({"version":1,"levels":{}})"},
        {"entry missing a key", with(R"({"file":"a.txt","content":"c","won":true,"bestScore":1,"bestTime":2.0})")},
        {"score not a number", with(R"({"file":"a.txt","content":"c","won":true,"bestScore":"1","bestTime":2.0,"replay":"r"})")},
        {"negative time", with(R"({"file":"a.txt","content":"c","won":true,"bestScore":1,"bestTime":-2.0,"replay":"r"})")},
        {"replay outside its folder", with(R"({"file":"a.txt","content":"c","won":true,"bestScore":1,"bestTime":2.0,"replay":"../x"})")},
        {"score past 32 bits", with(R"({"file":"a.txt","content":"c","won":true,"bestScore":4294967296,"bestTime":2.0,"replay":"r"})")},
    };
    Progress read;
    std::string why;
    ASSERT_TRUE(ProgressFromJson(with(entry), &read, &why)) << why;
    for (const auto& [what, text] : cases) {
        Progress untouched;
        untouched.levels = {Won(9, 9.0, "keep")};
        why.clear();
        EXPECT_FALSE(ProgressFromJson(text, &untouched, &why)) << what;
        EXPECT_FALSE(why.empty()) << what;
        EXPECT_EQ(untouched.levels.size(), 1u) << what;
    }
}

TEST(SettingsJson, ReadsBackAndRefusesBadValues) {
    const Settings chosen{50, 0, false, false, FramePacing::Rest};
    Settings read;
    std::string why;
    ASSERT_TRUE(SettingsFromJson(SettingsToJson(chosen), &read, &why)) << why;
    EXPECT_EQ(read.musicVolume, 50);
    EXPECT_EQ(read.effectsVolume, 0);
    EXPECT_FALSE(read.fullScreen);
    EXPECT_FALSE(read.musicOn);
    EXPECT_EQ(read.pacing, FramePacing::Rest);
    for (FramePacing pacing : {FramePacing::Display, FramePacing::Fast}) {
        Settings other = chosen;
        other.pacing = pacing;
        ASSERT_TRUE(SettingsFromJson(SettingsToJson(other), &read, &why)) << why;
        EXPECT_EQ(read.pacing, pacing);
    }
    // A file from before the pacing was kept paces fast.
    read.pacing = FramePacing::Rest;
    ASSERT_TRUE(SettingsFromJson(R"({"version":1,"musicVolume":10,"effectsVolume":0,"fullScreen":true,"music":true})",
                                 &read, &why)) << why;
    EXPECT_EQ(read.pacing, FramePacing::Fast);
    const std::string text = SettingsToJson(chosen);
    const std::pair<const char*, std::string> cases[] = {
        {"truncated", text.substr(0, text.size() - 3)},
        {"volume off the steps", R"({"version":1,"musicVolume":55,"effectsVolume":0,"fullScreen":true,"music":true})"},
        {"volume above 100", R"({"version":1,"musicVolume":110,"effectsVolume":0,"fullScreen":true,"music":true})"},
        {"volume below 0", R"({"version":1,"musicVolume":-10,"effectsVolume":0,"fullScreen":true,"music":true})"},
        {"flag not a boolean", R"({"version":1,"musicVolume":10,"effectsVolume":0,"fullScreen":1,"music":true})"},
        {"newer version", R"({"version":2,"musicVolume":10,"effectsVolume":0,"fullScreen":true,"music":true})"},
        {"a key missing", R"({"version":1,"musicVolume":10,"effectsVolume":0,"fullScreen":true})"},
        {"pacing not a name", R"({"version":1,"musicVolume":10,"effectsVolume":0,"fullScreen":true,"music":true,"pacing":"slow"})"},
        {"pacing not text", R"({"version":1,"musicVolume":10,"effectsVolume":0,"fullScreen":true,"music":true,"pacing":2})"},
    };
    for (const auto& [what, bad] : cases) {
        Settings untouched;
        EXPECT_FALSE(SettingsFromJson(bad, &untouched, &why)) << what;
        EXPECT_EQ(untouched.musicVolume, 100) << what;
    }
}

TEST(SettingsKept, FullScreenAndPacingAreChosenOnlyWhenTheyDifferFromTheRun) {
    struct Case {
        const char* what;
        bool stored, window, shown, kept;
    };
    const Case cases[] = {
        {"--window run, a volume changed: the stored full screen stays", true, false, false, true},
        {"--window run, the screen line switched to full screen", true, false, true, true},
        {"a window, switched to full screen", false, false, true, true},
        {"full screen, switched to a window", true, true, false, false},
        {"full screen against a stored window, a volume changed", false, true, true, false},
    };
    for (const Case& c : cases) {
        Settings stored;
        stored.fullScreen = c.stored;
        Settings shown{30, 70, c.shown, false};
        const Settings kept = SettingsToKeep(stored, shown, c.window, FramePacing::Fast);
        EXPECT_EQ(kept.fullScreen, c.kept) << c.what;
        EXPECT_EQ(kept.musicVolume, 30) << c.what;
        EXPECT_EQ(kept.effectsVolume, 70) << c.what;
        EXPECT_FALSE(kept.musicOn) << c.what;
    }
    struct PacingCase {
        const char* what;
        FramePacing stored, run, shown, kept;
    };
    using P = FramePacing;
    const PacingCase pacings[] = {
        {"--pacing rest run, a volume changed: the stored pacing stays", P::Fast, P::Rest, P::Rest, P::Fast},
        {"--pacing rest run, the pacing line moved on", P::Fast, P::Rest, P::Fast, P::Fast},
        {"fast, moved to display", P::Fast, P::Fast, P::Display, P::Display},
        {"stored rest, moved to fast", P::Rest, P::Rest, P::Fast, P::Fast},
    };
    for (const PacingCase& c : pacings) {
        Settings stored;
        stored.pacing = c.stored;
        Settings shown;
        shown.pacing = c.shown;
        EXPECT_EQ(SettingsToKeep(stored, shown, true, c.run).pacing, c.kept) << c.what;
    }
}

TEST(SettingsJson, VolumesStepWithinRange) {
    const int32_t cases[][3] = {{100, 1, 100}, {100, -1, 90}, {0, -1, 0}, {0, 1, 10}, {50, -3, 20}};
    for (const auto& c : cases) EXPECT_EQ(StepVolume(c[0], c[1]), c[2]) << c[0] << " by " << c[1];
}

TEST(ProfilePaths, FollowTheBaseDirectoryRules) {
    struct Case {
        const char *profile, *data, *config, *home, *wantData, *wantConfig;
    };
    const Case cases[] = {
        {"/p", "/d", "/c", "/h", "/p", "/p"},
        {"", "/d", "/c", "/h", "/d/tracklet", "/c/tracklet"},
        {"", nullptr, nullptr, "/h", "/h/.local/share/tracklet", "/h/.config/tracklet"},
        {"", "", "", "/h", "/h/.local/share/tracklet", "/h/.config/tracklet"},
        {"", "relative", "rel", "/h", "/h/.local/share/tracklet", "/h/.config/tracklet"},
        {"", nullptr, nullptr, nullptr, "", ""},
    };
    for (const Case& c : cases) {
        const ProfilePaths paths = ChooseProfilePaths(c.profile, c.data, c.config, c.home);
        EXPECT_EQ(paths.dataFolder, c.wantData) << c.profile << " " << (c.data ? c.data : "(null)");
        EXPECT_EQ(paths.configFolder, c.wantConfig) << c.profile << " " << (c.config ? c.config : "(null)");
    }
    EXPECT_EQ(ChooseProfilePaths("/p", nullptr, nullptr, nullptr).ProgressFile(), "/p/progress.json");
    EXPECT_EQ(ChooseProfilePaths("/p", nullptr, nullptr, nullptr).SettingsFile(), "/p/settings.json");
}

TEST(BadFiles, AreKeptAsideAndNeverOverwritten) {
    TempDir dir;
    const std::string progress = (dir.Path() / "progress.json").string();
    std::ostringstream err;
    dir.Write("progress.json", "{ \"version\": 1, \"lev");
    EXPECT_TRUE(LoadProgress(progress, err).levels.empty());
    EXPECT_EQ(ReadText(dir.Path() / "progress.json.bad"), "{ \"version\": 1, \"lev");
    EXPECT_FALSE(fs::exists(progress));
    // A later bad file goes beside the first, which stays as it was.
    dir.Write("progress.json", "garbage");
    EXPECT_TRUE(LoadProgress(progress, err).levels.empty());
    EXPECT_EQ(ReadText(dir.Path() / "progress.json.bad"), "{ \"version\": 1, \"lev");
    EXPECT_EQ(ReadText(dir.Path() / "progress.json.bad.2"), "garbage");
    // A folder where the file should be is set aside too.
    fs::create_directory(progress);
    EXPECT_TRUE(LoadProgress(progress, err).levels.empty());
    EXPECT_TRUE(fs::is_directory(dir.Path() / "progress.json.bad.3"));
    // A file too large to be one the game wrote is not read.
    dir.Write("progress.json", "");
    fs::resize_file(progress, (uintmax_t{64} << 20) + 1);
    EXPECT_TRUE(LoadProgress(progress, err).levels.empty());
    EXPECT_EQ(fs::file_size(dir.Path() / "progress.json.bad.4"), (uintmax_t{64} << 20) + 1);
    // One line each, naming the file and where it went.
    const std::string said = err.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 4) << said;
    EXPECT_NE(said.find("progress.json.bad.2"), std::string::npos) << said;
    EXPECT_NE(said.find("progress.json: larger than 64 MiB"), std::string::npos) << said;
    // A missing file is no fault: nothing said.
    std::ostringstream quiet;
    EXPECT_TRUE(LoadProgress((dir.Path() / "none.json").string(), quiet).levels.empty());
    EXPECT_EQ(quiet.str(), "");

    dir.Write("settings.json", "{\"version\":1,\"musicVolume\":50");
    const Settings settings = LoadSettings((dir.Path() / "settings.json").string(), err);
    EXPECT_EQ(settings.musicVolume, 100);
    EXPECT_TRUE(fs::exists(dir.Path() / "settings.json.bad"));
}

TEST(SavingRuns, RereadsTheFileAndKeepsEveryGamesBest) {
    TempDir dir;
    const ProfilePaths paths{dir.Path().string(), dir.Path().string()};
    std::ostringstream err;
    // Two games started with the same (empty) file.
    Progress first, second;
    std::string why;
    LevelRecord a = Won(100, 9.0, "");
    ASSERT_TRUE(SaveWonRun(paths, a, "run a\n", &first, &why, err)) << why;
    LevelRecord b = Won(300, 12.0, "");
    b.file = "02_b.txt";
    ASSERT_TRUE(SaveWonRun(paths, b, "run b\n", &second, &why, err)) << why;
    // The second game's save kept the first game's level.
    Progress onDisk = LoadProgress(paths.ProgressFile(), err);
    ASSERT_EQ(onDisk.levels.size(), 2u);
    ASSERT_EQ(second.levels.size(), 2u);
    // A better score of level 1 from the second game replaces the replay, the time stays the first's.
    LevelRecord better = Won(500, 15.0, "");
    ASSERT_TRUE(SaveWonRun(paths, better, "run c\n", &second, &why, err)) << why;
    // A worse run from the first game keeps nothing but its shorter time.
    LevelRecord worse = Won(50, 4.0, "");
    ASSERT_TRUE(SaveWonRun(paths, worse, "run d\n", &first, &why, err)) << why;
    onDisk = LoadProgress(paths.ProgressFile(), err);
    const LevelRecord* level1 = FindRecord(onDisk, "01_a.txt", "00000000000000aa");
    ASSERT_NE(level1, nullptr);
    EXPECT_EQ(level1->bestScore, 500);
    EXPECT_EQ(level1->bestTime, 4.0);
    EXPECT_EQ(ReadText(fs::path(paths.ReplayFolder()) / level1->replay), "run c\n");
    ASSERT_NE(FindRecord(onDisk, "02_b.txt", "00000000000000aa"), nullptr);
    // Only the replays a record names are left.
    size_t replays = 0;
    for (const auto& entry : fs::directory_iterator(paths.ReplayFolder())) replays += entry.is_regular_file();
    EXPECT_EQ(replays, 2u);
    EXPECT_EQ(err.str(), "");
}

TEST(SavingRuns, AnUnwritableFolderKeepsTheRunForThisGame) {
    TempDir dir;
    dir.Write("blocker", "a file where the profile folder should be");
    const std::string folder = (dir.Path() / "blocker" / "profile").string();
    const ProfilePaths paths{folder, folder};
    Progress progress;
    std::string why;
    std::ostringstream err;
    EXPECT_FALSE(SaveWonRun(paths, Won(100, 9.0, ""), "run\n", &progress, &why, err));
    EXPECT_NE(why.find("blocker"), std::string::npos) << why;
    ASSERT_EQ(progress.levels.size(), 1u);
    EXPECT_EQ(progress.levels[0].bestScore, 100);
    EXPECT_FALSE(SaveSettings(folder + "/settings.json", Settings{}, &why));
}

// Saves won runs with scores 1, 2, 3, ... up to `last` (0: without end) into the profile, each
// as a game of its own that knows nothing but its run: of the level `file`, or with `eachLevel` of
// the level file + score.
[[noreturn]] void SaveInALoop(const ProfilePaths& paths, const std::string& file, int32_t last, bool eachLevel = false) {
    std::ostringstream err;
    for (int32_t score = 1; last == 0 || score <= last; ++score) {
        Progress progress;
        LevelRecord record = Won(score, 100.0 - score * 0.01, "");
        record.file = eachLevel ? file + std::to_string(score) : file;
        std::string why;
        if (!SaveWonRun(paths, record, "run " + std::to_string(score) + "\n", &progress, &why, err)) _exit(1);
    }
    _exit(err.str().empty() ? 0 : 2);
}

TEST(SavingRuns, TwoGamesSavingAtOnceLoseNothing) {
    TempDir dir;
    const ProfilePaths paths{dir.Path().string(), dir.Path().string()};
    constexpr int32_t kSaves = 60;
    const pid_t first = fork();
    if (first == 0) SaveInALoop(paths, "a", kSaves, true);
    const pid_t second = fork();
    if (second == 0) SaveInALoop(paths, "b", kSaves, true);
    for (pid_t child : {first, second}) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    std::ostringstream err;
    const Progress onDisk = LoadProgress(paths.ProgressFile(), err);
    EXPECT_EQ(err.str(), "");
    // Every game's every level, with its own run.
    EXPECT_EQ(onDisk.levels.size(), 2u * kSaves);
    for (const char* game : {"a", "b"}) {
        for (int32_t score = 1; score <= kSaves; ++score) {
            const std::string file = game + std::to_string(score);
            const LevelRecord* record = FindRecord(onDisk, file, "00000000000000aa");
            ASSERT_NE(record, nullptr) << file;
            EXPECT_EQ(record->bestScore, score) << file;
            EXPECT_EQ(ReadText(fs::path(paths.ReplayFolder()) / record->replay), "run " + std::to_string(score) + "\n");
        }
    }
}

TEST(SavingRuns, AGameKilledWhileSavingLeavesAWholeFile) {
    TempDir dir;
    const ProfilePaths paths{dir.Path().string(), dir.Path().string()};
    // One run saved before: whatever a kill interrupts, it stays.
    Progress before;
    std::string why;
    std::ostringstream quiet;
    ASSERT_TRUE(SaveWonRun(paths, Won(1, 100.0, ""), "run 1\n", &before, &why, quiet)) << why;
    int32_t seen = 1;
    for (int round = 0; round < 25; ++round) {
        const pid_t saver = fork();
        if (saver == 0) SaveInALoop(paths, "01_a.txt", 0);
        // Killed at a different moment each round: the saves take a few milliseconds each.
        usleep(static_cast<useconds_t>(2000 + round * 700));
        kill(saver, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(saver, &status, 0), saver);
        std::ostringstream err;
        const Progress onDisk = LoadProgress(paths.ProgressFile(), err);
        ASSERT_EQ(err.str(), "") << "round " << round;
        const LevelRecord* record = FindRecord(onDisk, "01_a.txt", "00000000000000aa");
        ASSERT_NE(record, nullptr) << "round " << round;
        // Every round starts again from score 1: the best saved so far is never lost.
        EXPECT_GE(record->bestScore, seen) << "round " << round;
        seen = record->bestScore;
        EXPECT_TRUE(fs::is_regular_file(fs::path(paths.ReplayFolder()) / record->replay)) << "round " << round;
    }
}

}  // namespace

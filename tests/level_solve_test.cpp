#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "LevelTool.h"
#include "TempDir.h"
#include "authoring/LevelDifficulty.h"
#include "authoring/PlayState.h"
#include "authoring/ShotSearch.h"
#include "authoring/TrackDistance.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "sim/SimScript.h"

namespace {

const char* const kHead = "style s\nheight 5\nwidth 7\ncamera_data 0 0 0 0 1 0 0 0 1 1 0 0\n";

// Rails along row 1 with a gap at (3, 1); the train runs east from (0, 1) to (6, 1).
std::string GapLevel(const std::string& extraObjects, int extraCount, const char* speed = "2") {
    return kHead + std::string("objects ") + std::to_string(6 + extraCount) +
           "\n0 1 rails 1 0\n1 1 rails 1 0\n2 1 rails 1 0\n4 1 rails 1 0\n5 1 rails 1 0\n6 1 rails 1 0\n" +
           extraObjects + "start 0 1 e\nfinish 6 1 e\nspeed " + speed + "\n";
}

class Solve : public ::testing::Test {
protected:
    void SetUp() override {
        // Spheres a little above the floor, as real models stand on it; shields are larger.
        for (const char* name : {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed"}) {
            catalogue.models[name].boundCentre = Vec3(0.0f, 0.0f, 1.0f);
            catalogue.models[name].boundRadius = 2.0f;
        }
        catalogue.models["block"].boundCentre = Vec3(0.0f, 0.0f, 1.5f);
        catalogue.models["block"].boundRadius = 3.0f;
        catalogue.models["bullet"].boundRadius = 0.5f;
        g_catalogue = &catalogue;
    }
    int Run(const std::string& levelText, bool best = false) {
        path = dir.Write("level.txt", levelText);
        out.str("");
        err.str("");
        return RunSolve(path, best, limits, out, err);
    }
    // The script printed last, replayed on a fresh level through the simulator; its final report.
    nlohmann::json Replay() {
        std::ostringstream ignored, report;
        EXPECT_EQ(StartSimLevel(path, ignored), 0);
        std::istringstream script(out.str());
        EXPECT_EQ(RunSimScript(script, report, ignored), 0);
        return nlohmann::json::parse(report.str());
    }
    // The script's lines without its comments.
    std::vector<std::string> Commands() const {
        std::vector<std::string> commands;
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] != '#') commands.push_back(line);
        return commands;
    }
    int Clicks() const {
        const auto commands = Commands();
        return std::count_if(commands.begin(), commands.end(), [](const std::string& l) { return l.rfind("click ", 0) == 0; });
    }

    TempDir dir;
    ResourceCatalogue catalogue{nullptr, nullptr};
    SearchLimits limits{60.0, 5000, 32};
    std::string path;
    std::ostringstream out, err;
};

}  // namespace

// The first solution fills the gap with one shot; --best looks on for the highest score; each
// printed script replays through the simulator to what it claims.
TEST_F(Solve, FindsAScriptThatReplaysToAWinAndBestFindsTheHighestScore) {
    ASSERT_EQ(Run(GapLevel("3 3 rrecht 1 0\n", 1)), 0) << err.str();
    EXPECT_EQ(Clicks(), 1);
    EXPECT_NE(out.str().find("# score 0\n"), std::string::npos) << out.str();
    const auto report = Replay();
    EXPECT_TRUE(report["won"] == true && report["train"] == nlohmann::json::parse(R"([6, 1, "e"])")) << report;

    const std::string level = GapLevel("3 3 rrecht 1 0\n1 3 50pts 1 0\n5 3 100pts 1 0\n", 3, "4");
    ASSERT_EQ(Run(level), 0) << err.str();
    EXPECT_EQ(Clicks(), 1);
    ASSERT_EQ(Run(level, true), 0) << err.str();
    EXPECT_NE(out.str().find("# score 150\n"), std::string::npos) << out.str();
    EXPECT_EQ(Replay()["score"], 150);
}

TEST_F(Solve, AnUnwinnableLevelExitsWithOneAndSaysWhatLimitedTheSearch) {
    // Only a left curve for a gap that needs a straight piece.
    EXPECT_EQ(Run(GapLevel("3 3 lturn 1 0\n", 1)), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("no solution found"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("every sequence"), std::string::npos) << err.str();

    // Solvable, but not within one search node.
    limits.maxNodes = 1;
    EXPECT_EQ(Run(GapLevel("3 3 rrecht 1 0\n", 1)), 1);
    EXPECT_NE(err.str().find("--max-nodes 1"), std::string::npos) << err.str();
}

TEST_F(Solve, TrackDistanceSeesWallsAndTargetsThatCanBeShotAway) {
    const auto distance = [&](const std::string& objects, int count) {
        path = dir.Write("level.txt", GapLevel(objects, count));
        std::ostringstream ignored;
        EXPECT_EQ(StartSimLevel(path, ignored), 0);
        return TrackDistance(*g_level);
    };
    EXPECT_EQ(distance("", 0), 4);                       // (3, 1) to (6, 1) over the rails
    EXPECT_EQ(distance("3 1 50pts 1 0\n", 1), 4);        // a coin can be shot away
    EXPECT_EQ(distance("3 1 block 1 0\n", 1), kUnreachable);  // a shield cannot
    // A station's ring walls off the gap's tile; the walk goes nowhere else from there.
    EXPECT_EQ(distance("3 2 station 1 0\n", 1), kUnreachable);
}

// What --stats measures of a win: the time the shot left (the train runs off the gap 12 s after the
// start, a 4 s tile three tiles on, so the one shot's pressure is 1 / (1 + 12 / 4)), and a trap:
// with a coin on the gap, shooting the builder first lays nothing and loses at once.
TEST_F(Solve, StatsMeasureTheTimeAShotLeavesAndTheShotsThatLoseAtOnce) {
    path = dir.Write("level.txt", GapLevel("5 3 rrecht 1 0\n", 1, "4"));
    std::ostringstream ignored;
    ASSERT_EQ(StartSimLevel(path, ignored), 0);
    LevelStats stats = MeasureLevel(5000);
    ASSERT_TRUE(stats.won);
    EXPECT_EQ(stats.shots, 1);
    EXPECT_EQ(stats.traps, 0);
    EXPECT_DOUBLE_EQ(stats.pressure, 0.25);

    path = dir.Write("level.txt", GapLevel("3 1 50pts 1 0\n5 3 rrecht 1 0\n", 2, "4"));
    ASSERT_EQ(StartSimLevel(path, ignored), 0);
    stats = MeasureLevel(5000);
    ASSERT_TRUE(stats.won);
    EXPECT_EQ(stats.shots, 2) << "the coin, then the builder";
    EXPECT_EQ(stats.traps, 1) << "the builder shot first";
}

// From the middle of play on a shipped level, with a shot in flight: the search run a few moments
// at a time on a copy of the level finds what one whole run finds, and so does the search on the
// level in play itself (tracklet-level hint's), with the game's own catalogue; the copy is left as
// it was.
TEST(ShotSearchSlices, FindWhatOneWholeSearchFinds) {
    ScopedCurrentDir inData(std::string(TRACKLET_SOURCE_DIR) + "/data");
    RecordingDevice device;
    ResourceCatalogue catalogue(&device, nullptr);
    g_catalogue = &catalogue;
    std::ostringstream ignored;
    ASSERT_EQ(StartSimLevel("levels/10_grand_tour.txt", ignored), 0);
    std::istringstream played("frames 32 0.03125\nclick 15 85\nframes 3 0.03125\n");
    ASSERT_EQ(RunSimScript(played, ignored, ignored), 0);
    ASSERT_EQ(g_bullets.size(), 1u);

    const SearchLimits limits{std::numeric_limits<double>::infinity(), kHintNodes, 64};
    std::vector<Bullet> wholeBullets, slicedBullets;
    const auto shapes = CopyShapes(catalogue);
    const auto wholeLevel = CopyLevelForSearch(*g_level, g_bullets, shapes.get(), &wholeBullets);
    const auto slicedLevel = CopyLevelForSearch(*g_level, g_bullets, shapes.get(), &slicedBullets);
    const SearchReport whole = SearchShotsIn(*wholeLevel, wholeBullets, limits, false, nullptr);
    ShotSearchRun search(*slicedLevel, slicedBullets, limits, false, nullptr);
    int slices = 1;
    while (!search.Advance(7)) ++slices;
    const SearchReport& sliced = search.Report();
    const SearchReport inPlay = SearchShots(limits, false);

    ASSERT_TRUE(whole.solution);
    EXPECT_GT(slices, 10);
    for (const SearchReport* other : {&sliced, &inPlay}) {
        ASSERT_TRUE(other->solution);
        EXPECT_EQ(other->nodes, whole.nodes);
        EXPECT_EQ(other->solution->frames, whole.solution->frames);
        EXPECT_EQ(other->solution->traps, whole.solution->traps);
        EXPECT_EQ(other->solution->runOffFrames, whole.solution->runOffFrames);
        ASSERT_EQ(other->solution->shots.size(), whole.solution->shots.size());
        for (size_t i = 0; i < whole.solution->shots.size(); ++i) {
            const Shot& a = other->solution->shots[i];
            const Shot& b = whole.solution->shots[i];
            EXPECT_TRUE(a.frame == b.frame && a.x == b.x && a.y == b.y && a.targetX == b.targetX && a.targetY == b.targetY) << i;
        }
    }
    // Each shot names the target it hits: the first one stands on its tile now.
    const Shot& first = whole.solution->shots.front();
    EXPECT_TRUE(IsShootable(g_level->ObjectAt(first.targetX, first.targetY).name)) << first.targetX << " " << first.targetY;
    EXPECT_EQ(Fingerprint(CapturePlay(*slicedLevel, slicedBullets)), Fingerprint(CapturePlay(*g_level, g_bullets)));
}

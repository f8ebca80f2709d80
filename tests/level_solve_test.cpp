#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "LevelTool.h"
#include "TempDir.h"
#include "authoring/LevelDifficulty.h"
#include "authoring/TrackDistance.h"
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

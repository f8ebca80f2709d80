#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "TempDir.h"
#include "audio/Sound.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "sim/SimScript.h"

namespace {

// A three-row, five-column level: rails on (1, 1), three straight-track builders on row 0, the
// train on (0, 1) heading east, the finish on (4, 1) east. Slow, so it stands while shooting.
const char* const kBuilderLevel =
    "style s\nheight 3\nwidth 5\ncamera_data 25 15 -60 0 -1 0 0 0 1 1 0 0\n"
    "objects 4\n1 1 rails 1 0\n2 0 rrecht 1 0\n3 0 rrecht 1 0\n4 0 rrecht 1 0\n"
    "start 0 1 e\nfinish 4 1 e\nspeed 9\n";

class Sim : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.models["rrecht"].boundRadius = 3.0f;
        catalogue.models["50pts"].boundRadius = 3.0f;
        catalogue.models["bullet"].boundRadius = 1.0f;
        g_catalogue = &catalogue;
    }
    // Starts the level text and runs the script; returns the exit status.
    int Run(const std::string& levelText, const std::string& script) {
        const std::string path = dir.Write("level.txt", levelText);
        if (StartSimLevel(path, err) != 0) return -1;
        std::istringstream in(script);
        return RunSimScript(in, out, err);
    }
    std::vector<nlohmann::json> Reports() const {
        std::vector<nlohmann::json> reports;
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) reports.push_back(nlohmann::json::parse(line));
        return reports;
    }

    TempDir dir;
    ResourceCatalogue catalogue{nullptr, nullptr};
    std::ostringstream out, err;
};

}  // namespace

TEST_F(Sim, BadLinesStopWithStatusTwoNamingTheLine) {
    const std::string level = kBuilderLevel;
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"print\n\n# note\n  \njump 3\nprint\n", "line 5: unknown command 'jump'"},
        {"frames 10\n", "line 1: malformed line"},      {"frames ten 0.1\n", "line 1: malformed line"},
        {"frames -1 0.1\n", "line 1: malformed line"},  {"frames 1 nan\n", "line 1: malformed line"},
        {"frames 1 0.1s\n", "line 1: malformed line"},  {"click 1\n", "line 1: malformed line"},
        {"print now\n", "line 1: malformed line"},      {"Print\n", "line 1: unknown command 'Print'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        err.str("");
        EXPECT_EQ(Run(level, c.script), 2);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    // Lines before the bad one have run; a final line without a line end is still read.
    out.str("");
    EXPECT_EQ(Run(level, "print\nbogus"), 2);
    EXPECT_EQ(Reports().size(), 1u);
    out.str("");
    EXPECT_EQ(Run(level, "# only\nprint"), 0);
    EXPECT_EQ(Reports().size(), 1u);
}

TEST_F(Sim, BytesThatAreNotUtf8StillPrintValidJson) {
    ASSERT_EQ(Run("style s height 3 width 5 camera_data 0 0 0 0 1 0 0 0 1 1 0 0 objects 1 2 2 caf\xe9 1 0 "
                  "start 0 1 \xff finish 4 1 e speed 1\n",
                  "print\n"),
              0);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0]["objects"][0][0], "caf\xef\xbf\xbd");
}

TEST_F(Sim, NumbersAtTheLimitsOfTheirTypesDoNotOverflow) {
    // The train steps off the largest column, wrapping onto a station's ring; the grid is as
    // large as an int allows.
    ASSERT_EQ(Run("style s height 2147483647 width 2147483647 camera_data 0 0 0 0 1 0 0 0 1 1 0 0 objects 2 "
                  "2147483647 -2147483648 station 1 3e38 -2147483648 0 rrecht 1 0 start 2147483647 -2147483648 e "
                  "finish 0 0 e speed 1\n",
                  "click 0 0\nframes 3 1\nprint\n"),
              0);
    const auto reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(reports[0]["lost"], true);
    EXPECT_EQ(reports[0]["objects"].size(), 10u);
    EXPECT_EQ(reports[0]["objects"][0][3], 2147483647);  // a turn beyond int is clamped
}

// With the catalogue built from the current folder, a replay expected to win names the level
// and the frame at which play went astray: with no track under it, the train is lost at its
// first step, in the third frame of one second. (Its reports are checked end to end.)
TEST(SimTool, AReplayThatDoesNotWinNamesTheLevelAndTheFrame) {
    TempDir dir;
    dir.Write("levels.txt", "one.txt\n");
    dir.Write("levels/one.txt", "style s height 2 width 2 camera_data 0 0 0 0 1 0 0 0 1 1 0 0 objects 0 "
                                "start 0 0 s finish 0 1 s speed 2.5\n");
    ScopedCurrentDir inDir(dir.Path());
    const std::pair<const char*, const char*> replays[] = {
        {"frames 2 1\n", "levels/one.txt: the replay does not win: still in play after frame 2"},
        {"frames 5 1\n", "levels/one.txt: the replay does not win: lost at frame 3"},
    };
    for (const auto& [script, message] : replays) {
        std::istringstream replay(script);
        std::ostringstream ignored, said;
        EXPECT_EQ(RunSimulator("levels/one.txt", replay, ignored, said, true), 1);
        EXPECT_EQ(said.str().substr(0, said.str().find(',')), message);
        ASSERT_TRUE(g_catalogue);
        EXPECT_EQ(g_catalogue->levels, std::vector<std::string>{"one.txt"});
    }
}

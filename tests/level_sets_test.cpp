#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/SetStanding.h"
#include "resources/LevelSets.h"
#include "screens/LevelListRows.h"

namespace {

const std::vector<std::string> kListed = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};

std::vector<LevelSet> Parse(const std::string& text, SetsError* error = nullptr) {
    std::vector<LevelSet> sets;
    SetsError ignored;
    EXPECT_TRUE(ParseLevelSets(text, kListed, &sets, error ? error : &ignored)) << (error ? error->message : ignored.message);
    return sets;
}

}  // namespace

TEST(LevelSets, ReadsSetsInOrderWithTheirGoalsSkippingCommentsAndBlankLines) {
    const std::vector<LevelSet> sets = Parse(
        "# the campaign\n\nset First steps\r\nlevel a.txt score 50 time 14.5\n  level c.txt   score 0 time 7\n"
        "set  Timing, and more \nlevel d.txt score 2147483647 time 0.25\n");
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].name, "First steps");
    EXPECT_EQ(sets[1].name, "Timing, and more");
    ASSERT_EQ(sets[0].levels.size(), 2u);
    EXPECT_EQ(sets[0].levels[0].file, "a.txt");
    EXPECT_EQ(sets[0].levels[0].goals.score, 50);
    EXPECT_DOUBLE_EQ(sets[0].levels[0].goals.seconds, 14.5);
    EXPECT_EQ(sets[0].levels[1].line, 5);
    EXPECT_EQ(sets[1].levels[0].goals.score, 2147483647);
    EXPECT_DOUBLE_EQ(sets[1].levels[0].goals.seconds, 0.25);
}

// Every way a line can be wrong is reported on that line (0: the file as a whole), the first only.
TEST(LevelSets, RefusesABadLineNamingItsNumber) {
    struct Case {
        std::string text;
        int32_t line;
        std::string says;
    } cases[] = {
        {"set A\nlevels a.txt score 1 time 1\n", 2, "expected 'set NAME' or 'level FILE score S time T', not 'levels'"},
        {"set   \nlevel a.txt score 1 time 1\n", 1, "a set needs a name"},
        {"level a.txt score 1 time 1\n", 1, "a level before the first 'set NAME' line"},
        {"set A\nlevel a.txt score 1\n", 2, "expected 'level FILE score S time T'"},
        {"set A\nlevel a.txt time 1 score 1\n", 2, "expected 'level FILE score S time T'"},
        {"set A\nlevel a.txt score 1 time 1 x\n", 2, "expected 'level FILE score S time T'"},
        {"set A\nlevel a.txt score -1 time 1\n", 2, "the score goal '-1' is not a whole number"},
        {"set A\nlevel a.txt score 1.5 time 1\n", 2, "the score goal '1.5'"},
        {"set A\nlevel a.txt score 2147483648 time 1\n", 2, "the score goal '2147483648'"},
        {"set A\nlevel a.txt score 1 time 0\n", 2, "the time goal '0' is not a number of seconds above 0"},
        {"set A\nlevel a.txt score 1 time -2\n", 2, "the time goal '-2'"},
        {"set A\nlevel a.txt score 1 time inf\n", 2, "the time goal 'inf'"},
        {"set A\nlevel a.txt score 1 time 1e3\n", 2, "the time goal '1e3'"},
        {"set A\nlevel a.txt score 1 time 1.2.3\n", 2, "the time goal '1.2.3'"},
        {"set A\nlevel a.txt score 1 time 1000001\n", 2, "the time goal '1000001'"},
        {"set A\nlevel z.txt score 1 time 1\n", 2, "z.txt is not listed in levels.txt"},
        {"set A\nlevel a.txt score 1 time 1\nset B\nlevel a.txt score 1 time 1\n", 4,
         "a.txt is named twice (first on line 2)"},
        {"set A\nlevel c.txt score 1 time 1\nlevel b.txt score 1 time 1\n", 3, "b.txt comes before c.txt in levels.txt"},
        {"set A\nset B\nlevel a.txt score 1 time 1\n", 1, "the set 'A' has no levels"},
        {"set A\nlevel a.txt score 1 time 1\nset B\n# nothing\n", 3, "the set 'B' has no levels"},
        {"# only a comment\n", 0, "no set"},
    };
    for (const Case& c : cases) {
        std::vector<LevelSet> sets;
        SetsError error;
        EXPECT_FALSE(ParseLevelSets(c.text, kListed, &sets, &error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.message.find(c.says), std::string::npos) << c.text << " said: " << error.message;
    }
    EXPECT_EQ(FormatSetsError("data/sets.txt", SetsError{3, "x"}), "data/sets.txt:3: error: x");
    EXPECT_EQ(FormatSetsError("sets.txt", SetsError{0, "x"}), "sets.txt: error: x");
}

// The list shows the sets over levels.txt as it is: a level no set names goes into a last set that
// is always open, a named level no longer listed is left out, and without sets there is one set.
TEST(LevelSets, ArrangesTheListedLevelsIntoSets) {
    std::vector<LevelSet> sets = Parse("set A\nlevel b.txt score 1 time 1\nlevel d.txt score 2 time 3\nset B\nlevel e.txt score 1 time 1\n");
    std::vector<ShownSet> shown = ArrangeSets(sets, kListed);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].levels, (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(shown[0].goals[1]->score, 2);
    EXPECT_FALSE(shown[0].alwaysOpen);
    EXPECT_EQ(shown[2].name, "More levels");
    EXPECT_EQ(shown[2].levels, (std::vector<int32_t>{0, 2}));
    EXPECT_FALSE(shown[2].goals[0].has_value());
    EXPECT_TRUE(shown[2].alwaysOpen);

    // e.txt taken out of levels.txt: set B is left with nothing and is not shown.
    shown = ArrangeSets(sets, {"a.txt", "b.txt", "c.txt", "d.txt"});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].name, "More levels");

    shown = ArrangeSets({}, kListed);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].name, "Levels");
    EXPECT_EQ(shown[0].levels.size(), kListed.size());
    EXPECT_TRUE(shown[0].alwaysOpen);
}

namespace {

// Three sets of which the first has eight levels: wins are kept by file name, one record a level.
struct Campaign {
    std::vector<ShownSet> sets;
    Progress progress;
    std::vector<LevelRecord> current;  // the record of each level's present content ("" file: none)

    Campaign() {
        std::vector<LevelSet> read(3);
        read[0].name = "One";
        read[1].name = "Two";
        read[2].name = "Three";
        std::vector<std::string> listed;
        for (int i = 0; i < 14; ++i) {
            listed.push_back("l" + std::to_string(i) + ".txt");
            read[i < 8 ? 0 : i < 11 ? 1 : 2].levels.push_back(SetLevel{listed.back(), {100, 20.0}, i + 1});
        }
        sets = ArrangeSets(read, listed);
        current.resize(listed.size());
    }
    void Win(int level, int32_t score, double seconds, bool earlierContent = false) {
        LevelRecord record{"l" + std::to_string(level) + ".txt", earlierContent ? "old" : "now", true, score, seconds, "r.sim"};
        progress.levels.push_back(record);
        if (!earlierContent) current[static_cast<size_t>(level)] = record;
    }
    std::vector<SetStanding> Stand() const {
        LevelRecords records{[](int32_t level) { return "l" + std::to_string(level) + ".txt"; },
                             [this](int32_t level) {
                                 const LevelRecord& r = current[static_cast<size_t>(level)];
                                 return r.file.empty() ? nullptr : &r;
                             }};
        return StandSets(sets, progress, records);
    }
};

}  // namespace

// A set opens with seven wins in the set before it (all of them when it holds fewer), wins on a
// level's earlier content included; sets open in order.
TEST(SetStanding, SetsOpenInOrderOnceSevenLevelsOfTheOneBeforeAreWon) {
    Campaign campaign;
    std::vector<SetStanding> standing = campaign.Stand();
    EXPECT_TRUE(standing[0].open);
    EXPECT_FALSE(standing[1].open);
    EXPECT_EQ(standing[1].winsToOpen, 7);

    for (int level = 0; level < 6; ++level) campaign.Win(level, 0, 30.0);
    campaign.Win(8, 0, 30.0);  // a level of the second set, played some other way
    campaign.Win(9, 0, 30.0);
    campaign.Win(10, 0, 30.0);
    standing = campaign.Stand();
    EXPECT_EQ(standing[0].won, 6);
    EXPECT_FALSE(standing[1].open) << "six wins are not seven";
    EXPECT_FALSE(standing[2].open) << "the third set waits for the second to open, whatever is won in it";

    campaign.Win(6, 0, 30.0, true);
    standing = campaign.Stand();
    EXPECT_EQ(standing[0].won, 7) << "a win on the level's earlier content counts";
    EXPECT_TRUE(standing[1].open);
    EXPECT_EQ(standing[2].winsToOpen, 3) << "the second set holds only three levels";
    EXPECT_TRUE(standing[2].open);
}

// Goals count on the present content's record only, each at its bound exactly.
TEST(SetStanding, GoalsAreReachedAtTheirBoundsOnThePresentContentOnly) {
    const LevelGoals goals{100, 20.0};
    LevelRecord record{"l.txt", "now", true, 100, 20.0, "r.sim"};
    LevelMarks marks = MarksOf(&record, goals);
    EXPECT_TRUE(marks.won && marks.scoreGoal && marks.timeGoal);
    record.bestScore = 99;
    record.bestTime = 20.01;
    marks = MarksOf(&record, goals);
    EXPECT_TRUE(marks.won);
    EXPECT_FALSE(marks.scoreGoal || marks.timeGoal);
    record.won = false;
    record.bestScore = 500;
    record.bestTime = 1.0;
    marks = MarksOf(&record, goals);
    EXPECT_FALSE(marks.won || marks.scoreGoal || marks.timeGoal) << "goals count only for a win";
    EXPECT_FALSE(MarksOf(nullptr, goals).won);
    const LevelRecord hinted{"l.txt", "now", true, 0, 0.0, "", true};
    marks = MarksOf(&hinted, LevelGoals{0, 20.0});
    EXPECT_TRUE(marks.won);
    EXPECT_FALSE(marks.scoreGoal || marks.timeGoal) << "a hinted win meets no goal, a score of 0 and no time included";

    Campaign campaign;
    campaign.Win(0, 150, 25.0);        // the score goal
    campaign.Win(1, 10, 19.5);         // the time goal
    campaign.Win(2, 500, 1.0, true);   // both, on content that has changed since
    const std::vector<SetStanding> standing = campaign.Stand();
    EXPECT_EQ(standing[0].won, 3);
    EXPECT_EQ(standing[0].goals, 2);
    EXPECT_EQ(standing[0].goalsTotal, 16);
}

// Closed sets show their heading only; the choice steps over headings and stops at the ends.
TEST(SetStanding, ListRowsShowOpenSetsAndStepOverHeadings) {
    Campaign campaign;
    for (int level = 0; level < 7; ++level) campaign.Win(level, 0, 30.0);
    const std::vector<SetStanding> standing = campaign.Stand();
    const std::vector<ListRow> rows = ArrangeListRows(campaign.sets, standing);
    // One, its 8 levels, Two, its 3 levels, Three (closed).
    ASSERT_EQ(rows.size(), 1u + 8u + 1u + 3u + 1u);
    EXPECT_EQ(rows[0].kind, ListRow::Kind::Heading);
    EXPECT_EQ(rows[9].kind, ListRow::Kind::Heading);
    EXPECT_EQ(rows[9].set, 1);
    EXPECT_EQ(rows.back().kind, ListRow::Kind::Heading);
    EXPECT_EQ(rows.back().set, 2);
    EXPECT_EQ(RowOfLevel(rows, 8), 10);
    EXPECT_EQ(RowOfLevel(rows, 12), -1) << "a level of a closed set has no row";

    EXPECT_EQ(StepLevelRows(rows, 8, 1), 10) << "down from the last level of a set skips the next heading";
    EXPECT_EQ(StepLevelRows(rows, 10, -1), 8);
    EXPECT_EQ(StepLevelRows(rows, 12, 1), 12) << "the last level shown stays chosen";
    EXPECT_EQ(StepLevelRows(rows, 1, -5), 1);
    EXPECT_EQ(StepLevelRows(rows, -1, 1), 1) << "from before the list: the first level";
    EXPECT_EQ(StepLevelRows(rows, 1, 9), 11);

    const std::vector<ShownSet> one = ArrangeSets({}, {"a.txt", "b.txt"});
    const std::vector<ListRow> plain = ArrangeListRows(one, {SetStanding{0, 0, 0, true, 0}});
    ASSERT_EQ(plain.size(), 2u) << "a single set needs no heading";
    EXPECT_EQ(plain[0].level, 0);
}

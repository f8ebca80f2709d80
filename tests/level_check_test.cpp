#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "authoring/Diagnostic.h"
#include "authoring/LevelCheck.h"
#include "LevelTool.h"
#include "TempDir.h"

namespace {

const char* const kHead = "style s\nheight 3\nwidth 4\ncamera_data 0 0 0 0 1 0 0 0 1 1 0 0\n";

class LevelCheck : public ::testing::Test {
protected:
    // Checks `text` written to a file in a fresh folder, named by its path relative to it.
    std::vector<std::string> Check(const std::string& text, const ModelList* models = nullptr) {
        dir.Write("levels/l.txt", text);
        ScopedCurrentDir here(dir.Path());
        std::vector<std::string> lines;
        for (const Diagnostic& d : CheckLevelFile("levels/l.txt", models))
            lines.push_back(FormatDiagnostic("levels/l.txt", d));
        return lines;
    }
    TempDir dir;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(LevelCheck, ReportsOnlyTheFirstErrorWithWhatWasExpectedAndFound) {
    struct Case {
        const char* why;
        std::string text;
        std::string message;
    };
    const std::string tail = "start 0 1 e\nfinish 3 1 e\nspeed 2\n";
    const Case cases[] = {
        {"misspelt keyword", "style s\nheigth 3\n", "levels/l.txt:2:1: error: expected the keyword \"height\", found 'heigth'"},
        {"keyword in capitals", "Style s\n", "levels/l.txt:1:1: error: expected the keyword \"style\", found 'Style'"},
        {"word for a number", "style s\nheight three\nwidth 4\n",
         "levels/l.txt:2:8: error: expected an integer (height), found 'three'"},
        {"fraction for an integer", "style s\nheight 3\n  width 12.5 camera_data\n",
         "levels/l.txt:3:9: error: expected an integer (width), found '12.5'"},
        {"number beyond 32 bits", "style s\nheight 99999999999\n",
         "levels/l.txt:2:8: error: expected an integer (height), found '99999999999'"},
        {"damaged camera number", "style s\nheight 3\nwidth 4\ncamera_data\n1 2 3\n-nan -nan -nan\n",
         "levels/l.txt:6:1: error: expected a number (camera_data), found '-nan'"},
        {"heading as a word", kHead + std::string("objects 0\nstart 0 1 east\nfinish 3 1 e\nspeed 2\n"),
         "levels/l.txt:6:11: error: expected a heading n, e, s or w (start), found 'east'"},
        {"heading not n, e, s or w", kHead + std::string("objects 0\nstart 0 1 e\nfinish 3 1 q\nspeed 2\n"),
         "levels/l.txt:7:12: error: expected a heading n, e, s or w (finish), found 'q'"},
        {"list shorter than its count", kHead + std::string("objects 3\n1 1 rails 1 0\n") + tail,
         "levels/l.txt:7:1: error: expected an integer (object x), found 'start' (\"objects\" announces 3 entries, "
         "1 read in full)"},
        {"list longer than its count", kHead + std::string("objects 1\n1 1 rails 1 0\n2 1 rails 1 0\n") + tail,
         "levels/l.txt:7:1: error: expected the keyword \"start\", found '2' (\"objects\" announces 1 entries; is "
         "there one more?)"},
        {"entry missing its angle", kHead + std::string("objects 1\n1 1 rails 1\n") + tail,
         "levels/l.txt:7:1: error: expected a number (object angle in degrees), found 'start' (\"objects\" "
         "announces 1 entries, 0 read in full)"},
        {"fraction for an entry's x", kHead + std::string("objects 2\n1 1 rails 1 0\n1.5 1 rails 1 0\n") + tail,
         "levels/l.txt:7:1: error: expected an integer (object x), found '1.5'"},
        {"number cut in an entry, then a bad heading",
         kHead + std::string("objects 1\n1 1 rails 1 0x5\nstart 0 1 q\nfinish 3 1 e\nspeed 2\n"),
         "levels/l.txt:6:13: error: expected a number (object angle in degrees), found '0x5'"},
        {"bad heading, then a number cut", kHead + std::string("objects 0\nstart 0 1 q\nfinish 3 1 e\nspeed 2.5.5\n"),
         "levels/l.txt:6:11: error: expected a heading n, e, s or w (start), found 'q'"},
        {"ends before the speed", kHead + std::string("objects 0\nstart 0 1 e\nfinish 3 1 e\nspeed"),
         "levels/l.txt:8:6: error: expected a number (speed), found the end of the file"},
        {"empty file", "", "levels/l.txt:1:1: error: expected the keyword \"style\", found the end of the file"},
        {"two faults: only the first", "style s\nheight x\nwidht 4\n",
         "levels/l.txt:2:8: error: expected an integer (height), found 'x'"},
        {"control bytes shown escaped", "style s\nheight \x01\xff\n",
         "levels/l.txt:2:8: error: expected an integer (height), found '\\x01\\xff'"},
    };
    for (const Case& c : cases) EXPECT_EQ(Check(c.text), Lines{c.message}) << c.why;
}

TEST_F(LevelCheck, WarnsAtTheLineOfEachObjectConcerned) {
    ModelList models{"standard/models.txt", {"rails", "railscorner", "station", "rturn", "50pts"},
                     "the model lamp (standard/models/lamp.x: truncated)"};
    const Lines lines = Check(kHead +
                                  std::string("objects 8\n"
                                              "9 1 rturn 1 0\n"           // off the grid
                                              "1 0 rails 1 45\n"          // no turn the rules know
                                              "2 0 rails 1 180\n"         // straight pieces take 0 or 90 only
                                              "2 1 railscorner 1 180\n"   // curves take 180
                                              "1 1 50pts 1 0\n"
                                              "1 1 rails 1 0\n"           // hidden by the target before it
                                              "0 2 station 1 0\n"         // ring off the grid
                                              "3 2 lamp 1 0\n"            // no model
                                              "start 0 -1 e\nfinish 4 1 e\nspeed 2 fast\n"),
                              &models);
    EXPECT_EQ(lines, (Lines{
                         "levels/l.txt:6:1: warning: \"rturn\" at (9, 1) lies off the grid of 4 by 3 tiles",
                         "levels/l.txt:7:1: warning: \"rails\" turned 45 degrees cannot be entered from any side "
                         "(straight pieces take 0 or 90, curves 0, 90, 180 or 270)",
                         "levels/l.txt:8:1: warning: \"rails\" turned 180 degrees cannot be entered from any side "
                         "(straight pieces take 0 or 90, curves 0, 90, 180 or 270)",
                         "levels/l.txt:11:1: warning: \"rails\" at (1, 1) is hidden from the train by \"50pts\" on line "
                         "10, listed earlier on the same tile",
                         "levels/l.txt:12:1: warning: the ring of blocked tiles around the station at (0, 2) falls off "
                         "the grid",
                         "levels/l.txt:13:5: warning: no model named \"lamp\" in standard/models.txt; the list stops "
                         "at the model lamp (standard/models/lamp.x: truncated)",
                         "levels/l.txt:14:1: warning: the start (0, -1) lies off the grid of 4 by 3 tiles",
                         "levels/l.txt:15:1: warning: the finish (4, 1) lies off the grid of 4 by 3 tiles",
                         "levels/l.txt:16:9: warning: text after the speed is ignored by the game: 'fast'",
                     }));
}

// Entries past the first few, several on a line, with tabs and CR LF between them: each warning
// points at its own entry, and a hidden piece names the line of what hides it.
TEST_F(LevelCheck, PointsAtEntriesFarDownAList) {
    ModelList models{"standard/models.txt", {"rails", "station"}, ""};
    std::string text = "style s\nheight 4\nwidth 50\ncamera_data 0 0 0 0 1 0 0 0 1 1 0 0\nobjects 40\n";
    const auto entry = [](int x, int y, const char* name) {
        return std::to_string(x) + " " + std::to_string(y) + " " + name + " 1 0";
    };
    for (int i = 0; i < 16; ++i) text += (i == 3 ? entry(30, 2, "station") : entry(i, 0, "rails")) + "\n";  // lines 6 to 21
    text += entry(16, 0, "rails") + "   " + entry(17, 0, "rails") + "\t" + entry(2, 0, "rails") + " " +
            entry(19, 0, "rails") + "\r\n";  // line 22: the third is hidden by the piece on line 8
    for (int i = 20; i < 40; ++i) {  // lines 23 to 42
        if (i == 33) text += "33\t0\t\tlamp  1 0\n";
        else if (i == 35) text += entry(31, 1, "rails") + "\n";  // on the station's ring
        else if (i == 37) text += entry(20, 0, "rails") + "\n";  // hidden by the piece on line 23
        else text += entry(i, 0, "rails") + "\n";
    }
    text += "start 0 3 e\nfinish 5 3 e\nspeed 2\n";
    EXPECT_EQ(Check(text, &models),
              (Lines{
                  "levels/l.txt:22:33: warning: \"rails\" at (2, 0) is hidden from the train by \"rails\" on line 8, "
                  "listed earlier on the same tile",
                  "levels/l.txt:36:7: warning: no model named \"lamp\" in standard/models.txt",
                  "levels/l.txt:38:1: warning: \"rails\" at (31, 1) is hidden from the train by the ring of the station "
                  "on line 9, listed earlier on the same tile",
                  "levels/l.txt:40:1: warning: \"rails\" at (20, 0) is hidden from the train by \"rails\" on line 23, "
                  "listed earlier on the same tile",
              }));
}

// Lines and columns of offsets asked in any order, in a text of many blocks with short lines, lines
// longer than a block and a line break on a block's edge, against counting from the start.
TEST(TextPositions, AnswersAsCountingFromTheStart) {
    std::mt19937 random(11);
    std::string text;
    while (text.size() < 60000) {
        const size_t length = random() % 4 == 0 ? 5000 + random() % 6000 : random() % 90;
        text += std::string(length, 'x') + "\n";
    }
    text[4095] = '\n', text[8192] = '\n';
    const TextPositions positions(text);
    std::vector<size_t> offsets = {text.size() + 3, 0, 4095, 4096, 8192, 8193, text.size() - 1, text.size()};
    for (int i = 0; i < 300; ++i) offsets.push_back(random() % text.size());
    for (const size_t offset : offsets) {
        int line = 1;
        size_t lineStart = 0;
        for (size_t i = 0; i < offset && i < text.size(); ++i)
            if (text[i] == '\n') ++line, lineStart = i + 1;
        int gotLine = 0, gotColumn = 0;
        positions.At(offset, &gotLine, &gotColumn);
        ASSERT_EQ(gotLine, line) << "offset " << offset;
        ASSERT_EQ(gotColumn, static_cast<int>(offset - lineStart) + 1) << "offset " << offset;
    }
}

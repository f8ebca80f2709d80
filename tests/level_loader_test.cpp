#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "level/Level.h"

namespace {

const char* const kCamera = "camera_data 1 2 3  0 0 1  0.5 0.5 -1  1 0 0\n";

std::string Header(int height = 8, int width = 12) {
    return "style classic\nheight " + std::to_string(height) + "\nwidth " + std::to_string(width) + "\n" + kCamera;
}

class LevelLoader : public ::testing::Test {
protected:
    std::unique_ptr<Level> LoadText(const std::string& text) {
        return std::make_unique<Level>(nullptr, nullptr, dir.Write("level.txt", text));
    }
    TempDir dir;
};

}  // namespace

TEST_F(LevelLoader, ReadsEveryFieldAndRingsTheStation) {
    auto level = LoadText(Header() +
                          "objects 3\n4 2 rturn 1 0\n6 5 station 1 90\n9 1 50pts 1.5 0\n"
                          "start 0 3 e\nfinish 11 3 e\nspeed 2.5\n");
    EXPECT_FALSE(level->loadStop);
    EXPECT_EQ(level->style, "classic");
    EXPECT_EQ(level->height, 8);
    EXPECT_EQ(level->width, 12);
    ASSERT_TRUE(level->camera);
    EXPECT_EQ(level->camera->position, Vec3(1, 2, 3));
    EXPECT_EQ(level->camera->up, Vec3(0, 0, 1));
    EXPECT_EQ(level->camera->look, Vec3(0.5f, 0.5f, -1));
    EXPECT_EQ(level->camera->right, Vec3(1, 0, 0));

    // The count is the file's entries only; the ring follows its station.
    EXPECT_EQ(level->objectCount, 3);
    ASSERT_EQ(level->objects.size(), 11u);
    EXPECT_EQ(level->objects[0].name, "rturn");
    EXPECT_EQ(level->objects[1].angle, 1.5707964f);
    EXPECT_EQ(level->objects[1].Turn(), 90);
    const int ring[8][2] = {{7, 5}, {5, 5}, {6, 6}, {6, 4}, {7, 6}, {5, 4}, {7, 4}, {5, 6}};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const LevelObject& o = level->objects[2 + i];
        EXPECT_EQ(o.name, "blocked");
        EXPECT_EQ(o.x, ring[i][0]);
        EXPECT_EQ(o.y, ring[i][1]);
        EXPECT_EQ(o.angle, level->objects[1].angle);  // a copy of the station in all else
    }
    EXPECT_EQ(level->objects[10].name, "50pts");
    EXPECT_EQ(level->objects[10].scale, 1.5f);

    const auto place = [](int32_t x, int32_t y, char h) { return std::to_string(x) + "," + std::to_string(y) + h; };
    EXPECT_EQ(place(level->trainX, level->trainY, level->trainHeading), "0,3e");
    EXPECT_EQ(place(level->finishX, level->finishY, level->finishHeading), "11,3e");
    // Nothing lies in front of the train: the track ends on the start tile.
    EXPECT_EQ(place(level->trackEndX, level->trackEndY, level->trackEndHeading), "0,3e");
    EXPECT_EQ(level->speed, 2.5f);
}

TEST_F(LevelLoader, TokensIgnoreLinesAndNumbersStopAtTheirLastCharacter) {
    // Everything on one line with tabs; "90.7" keeps its whole degrees; a station on the corner
    // keeps its ring outside the grid; "speed" without a number keeps the default.
    auto level = LoadText("style\tx height 2 width\t3 camera_data 0 0 0 0 0 0 0 0 0 0 0 0 objects 3 "
                          "0 0 station 1 -90 1 1 rails 2 90.7 2 1 x 1 45 start 0 1 e finish 2 1 e speed 0.5");
    EXPECT_FALSE(level->loadStop);
    ASSERT_EQ(level->objects.size(), 11u);
    EXPECT_EQ(level->objects[0].Turn(), -90);
    EXPECT_EQ(level->objects[9].Turn(), 90);
    EXPECT_EQ(level->objects[10].Turn(), 45);
    EXPECT_EQ(level->objects[10].name, "x");  // a name may be any word
    int outside = 0;
    for (const LevelObject& o : level->objects)
        if (!level->InsideGrid(o.x, o.y)) ++outside;
    EXPECT_EQ(outside, 5);
    EXPECT_EQ(level->speed, 0.5f);
}

TEST_F(LevelLoader, KeywordsAreCaseSensitiveAndStopWithTheirPlace) {
    auto level = LoadText("style a\nheight 4\n  Width 5\n");
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->loadStop->found, "Width");
    EXPECT_EQ(level->loadStop->line, 3);
    EXPECT_EQ(level->loadStop->column, 3);
    EXPECT_EQ(level->loadStop->expected, "the keyword \"width\"");
    EXPECT_EQ(level->height, 4);
    EXPECT_FALSE(level->camera);    // not reached
    EXPECT_EQ(level->trackEndHeading, 'x');  // the track end is not computed
    EXPECT_EQ(DescribeStop("level.txt", *level->loadStop),
              "level.txt:3:3: expected the keyword \"width\", found 'Width'");
}

TEST_F(LevelLoader, AWordWhereANumberBelongsStopsThereNotAtTheNextKeyword) {
    auto level = LoadText("style a height tall width 5\n");
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->loadStop->found, "tall");
    EXPECT_EQ(level->loadStop->expected, "an integer (height)");
    EXPECT_EQ(level->loadStop->column, 16);

    // A number runs only as far as it can: "8x" is the height 8 followed by the word "x".
    level = LoadText("style a height 8x width 5\n");
    EXPECT_EQ(level->height, 8);
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->loadStop->found, "x");
}

// Every announced entry gets a fresh object, read or not; only the keyword after the list
// notices the damage. A count beyond any playable level is refused before anything is appended.
TEST_F(LevelLoader, EveryAnnouncedEntryIsAppendedAndAnAbsurdCountIsRefused) {
    auto level = LoadText(Header() + "objects 4\n1 1 rails 1 0\n4 2 rturn 1 x\nstart 0 1 e\nfinish 2 1 e\nspeed 2\n");
    ASSERT_EQ(level->objects.size(), 4u);
    EXPECT_EQ(level->objects[1].name, "rturn");
    EXPECT_EQ(level->objects[1].x, 4);
    EXPECT_EQ(level->objects[1].angle, 0.0f);
    EXPECT_EQ(level->objects[3].name, "");
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->loadStop->found, "x");
    EXPECT_EQ(level->Load(dir.Write("short.txt", Header() + "objects 3\n1 1 rails 1 0\nstart 0 1 e\n")), 1);
    EXPECT_EQ(level->objects.size(), 4u + 3u);  // appended to what the record held

    for (const std::string count : {std::to_string(kMaxLevelObjects + 1), std::string("2000000000")}) {
        level = LoadText(Header() + "objects " + count + "\n1 1 rails 1 0\nstart 0 1 e\n");
        EXPECT_EQ(level->objects.size(), 0u) << count;
        ASSERT_TRUE(level->loadStop);
        EXPECT_EQ(level->loadStop->line, 5);
        EXPECT_EQ(level->loadStop->expected, "at most " + std::to_string(kMaxLevelObjects) + " objects");
    }
}

// A number that cannot be read keeps its field; the load fails only at a keyword.
TEST_F(LevelLoader, ANumberThatCannotBeReadKeepsItsField) {
    Level level(nullptr, nullptr, "");
    const std::string body = "objects 1\n1 1 rails 1 0\nstart 0 1 e\nfinish 2 1 e\n";
    EXPECT_EQ(level.Load(dir.Write("speed.txt", Header() + body + "speed abc\n")), 0);
    EXPECT_EQ(level.speed, 5.0f);
    EXPECT_EQ(level.trackEndX, 1);
    ASSERT_TRUE(level.loadStop);  // kept for the level checker
    EXPECT_EQ(level.Load(dir.Write("camera.txt", "style a height 3 width 4 camera_data 1 2 x\n")), 1);
    EXPECT_EQ(level.camera->position, Vec3(1, 2, 0));
}

TEST_F(LevelLoader, TruncatedFilesKeepWhatWasRead) {
    const std::string full = Header() + "objects 2\n1 1 rails 1 0\n2 1 rails 1 0\nstart 0 1 e\nfinish 2 1 e\nspeed 2\n";
    // Cut the file after every character: no cut may crash, and only the whole file loads cleanly.
    for (size_t cut = 0; cut < full.size(); ++cut) {
        auto level = LoadText(full.substr(0, cut));
        if (cut + 1 < full.size()) EXPECT_TRUE(level->loadStop) << cut;
        EXPECT_LE(level->objects.size(), 2u);
    }
    auto level = LoadText(Header() + "objects 2\n1 1 rails 1 0\n2 1 rai");
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->loadStop->found, "end of file");
    EXPECT_EQ(level->objects.size(), 2u);

    // A missing speed number is noticed although no keyword follows it; the rest is in place.
    level = LoadText(Header() + "objects 1\n1 1 rails 1 0\nstart 0 1 e\nfinish 2 1 e\nspeed");
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->speed, 5.0f);
    EXPECT_EQ(level->trackEndX, 1);  // the trace still ran
}

TEST_F(LevelLoader, AMissingFileStopsBeforeTheFirstKeyword) {
    Level level(nullptr, nullptr, (dir.Path() / "absent.txt").string());
    ASSERT_TRUE(level.loadStop);
    EXPECT_EQ(level.loadStop->line, 0);
    EXPECT_EQ(DescribeStop("absent.txt", *level.loadStop), "absent.txt: cannot be opened");
    EXPECT_EQ(level.speed, 5.0f);
}

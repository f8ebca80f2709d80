// The level file as the game loads it. Where and why a load stops, for every kind of fault, is
// checked through the level checker's messages (level_check_test.cpp); here: what the record
// holds after a load, whole or stopped.
#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "level/Level.h"

namespace {

const std::string kHeader = "style classic\nheight 8\nwidth 12\ncamera_data 1 2 3  0 0 1  0.5 0.5 -1  1 0 0\n";

class LevelLoader : public ::testing::Test {
protected:
    std::unique_ptr<Level> LoadText(const std::string& text) {
        return std::make_unique<Level>(nullptr, nullptr, dir.Write("level.txt", text));
    }
    TempDir dir;
};

std::string Place(int32_t x, int32_t y, char h) { return std::to_string(x) + "," + std::to_string(y) + h; }

}  // namespace

TEST_F(LevelLoader, ReadsEveryFieldAndRingsTheStation) {
    auto level = LoadText(kHeader + "objects 3\n4 2 rturn 1 0\n6 5 station 1 90\n9 1 50pts 1.5 0\n"
                                    "start 0 3 e\nfinish 11 3 e\nspeed 2.5\n");
    EXPECT_FALSE(level->loadStop);
    EXPECT_TRUE(level->style == "classic" && level->height == 8 && level->width == 12 && level->speed == 2.5f);
    ASSERT_TRUE(level->camera);
    const Camera& c = *level->camera;
    EXPECT_TRUE(c.position == Vec3(1, 2, 3) && c.up == Vec3(0, 0, 1) && c.look == Vec3(0.5f, 0.5f, -1) && c.right == Vec3(1, 0, 0));
    // The count is the file's entries only; the ring, copies of the station in all else, follows it.
    EXPECT_EQ(level->objectCount, 3);
    ASSERT_EQ(level->objects.size(), 11u);
    EXPECT_EQ(level->objects[0].name, "rturn");
    EXPECT_EQ(level->objects[1].angle, 1.5707964f);
    EXPECT_EQ(level->objects[1].Turn(), 90);
    const int ring[8][2] = {{7, 5}, {5, 5}, {6, 6}, {6, 4}, {7, 6}, {5, 4}, {7, 4}, {5, 6}};
    for (int i = 0; i < 8; ++i) {
        const LevelObject& o = level->objects[2 + i];
        EXPECT_TRUE(o.name == "blocked" && o.x == ring[i][0] && o.y == ring[i][1] && o.angle == level->objects[1].angle) << i;
    }
    EXPECT_TRUE(level->objects[10].name == "50pts" && level->objects[10].scale == 1.5f);
    EXPECT_EQ(Place(level->trainX, level->trainY, level->trainHeading), "0,3e");
    EXPECT_EQ(Place(level->finishX, level->finishY, level->finishHeading), "11,3e");
    EXPECT_EQ(Place(level->trackEndX, level->trackEndY, level->trackEndHeading), "0,3e");  // nothing in front

    // Tokens ignore lines and tabs; "90.7" keeps its whole degrees; a name may be any word; a
    // station on the corner keeps its ring outside the grid.
    level = LoadText("style\tx height 2 width\t3 camera_data 0 0 0 0 0 0 0 0 0 0 0 0 objects 3 "
                     "0 0 station 1 -90 1 1 rails 2 90.7 2 1 x 1 45 start 0 1 e finish 2 1 e speed 0.5");
    EXPECT_FALSE(level->loadStop);
    ASSERT_EQ(level->objects.size(), 11u);
    EXPECT_TRUE(level->objects[0].Turn() == -90 && level->objects[9].Turn() == 90 && level->objects[10].Turn() == 45);
    EXPECT_EQ(level->objects[10].name, "x");
    int outside = 0;
    for (const LevelObject& o : level->objects) outside += !level->InsideGrid(o.x, o.y);
    EXPECT_EQ(outside, 5);
}

// Every announced entry gets a fresh object, read or not, appended to what the record held; a
// number that cannot be read keeps its field; a count beyond any playable level is refused
// before anything is appended; a stop keeps what came before it.
TEST_F(LevelLoader, AStoppedLoadKeepsWhatWasRead) {
    auto level = LoadText(kHeader + "objects 4\n1 1 rails 1 0\n4 2 rturn 1 x\nstart 0 1 e\nfinish 2 1 e\nspeed 2\n");
    ASSERT_EQ(level->objects.size(), 4u);
    EXPECT_TRUE(level->objects[1].name == "rturn" && level->objects[1].x == 4 && level->objects[1].angle == 0.0f);
    EXPECT_EQ(level->objects[3].name, "");
    ASSERT_TRUE(level->loadStop);
    EXPECT_EQ(level->loadStop->found, "x");
    EXPECT_EQ(level->Load(dir.Write("short.txt", kHeader + "objects 3\n1 1 rails 1 0\nstart 0 1 e\n")), 1);
    EXPECT_EQ(level->objects.size(), 4u + 3u);

    for (const std::string& count : {std::to_string(kMaxLevelObjects + 1), std::string("2000000000")}) {
        level = LoadText(kHeader + "objects " + count + "\n1 1 rails 1 0\nstart 0 1 e\n");
        EXPECT_EQ(level->objects.size(), 0u) << count;
        ASSERT_TRUE(level->loadStop);
        EXPECT_EQ(level->loadStop->line, 5);
        EXPECT_EQ(level->loadStop->expected, "at most " + std::to_string(kMaxLevelObjects) + " objects");
    }

    // A damaged or missing speed keeps the default, noticed though no keyword follows; the rest,
    // the trace included, is in place.
    const std::string body = kHeader + "objects 1\n1 1 rails 1 0\nstart 0 1 e\nfinish 2 1 e\n";
    for (const char* speed : {"speed abc\n", "speed"}) {
        level = LoadText(body + speed);
        EXPECT_TRUE(level->loadStop && level->speed == 5.0f && level->trackEndX == 1) << speed;
    }
    EXPECT_EQ(level->Load(dir.Write("speed.txt", body + "speed abc\n")), 0);  // only a keyword fails the load
    EXPECT_EQ(level->Load(dir.Write("camera.txt", "style a height 3 width 4 camera_data 1 2 x\n")), 1);
    EXPECT_EQ(level->camera->position, Vec3(1, 2, 0));
    level = LoadText("style a\nheight 4\n  Width 5\n");
    EXPECT_TRUE(level->height == 4 && !level->camera && level->trackEndHeading == 'x');  // not reached

    // Cut the file after every character: no cut may crash, and only the whole file loads cleanly.
    const std::string full = kHeader + "objects 2\n1 1 rails 1 0\n2 1 rails 1 0\nstart 0 1 e\nfinish 2 1 e\nspeed 2\n";
    for (size_t cut = 0; cut < full.size(); ++cut) {
        level = LoadText(full.substr(0, cut));
        if (cut + 1 < full.size()) { EXPECT_TRUE(level->loadStop) << cut; }
        EXPECT_LE(level->objects.size(), 2u);
    }

    Level absent(nullptr, nullptr, (dir.Path() / "absent.txt").string());
    ASSERT_TRUE(absent.loadStop);
    EXPECT_EQ(DescribeStop("absent.txt", *absent.loadStop), "absent.txt: cannot be opened");
    EXPECT_EQ(absent.speed, 5.0f);
}

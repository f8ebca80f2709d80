// tracklet-level frame: the opening view it computes shows the whole grid, and --write changes
// nothing in the file but the twelve camera numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "authoring/LevelFraming.h"
#include "LevelTool.h"
#include "TempDir.h"
#include "level/Level.h"
#include "math/MathFunctions.h"

namespace {

// Long, tall, tiny and large grids all fit on screen, at every common aspect ratio, from a
// camera the game accepts.
TEST(LevelFraming, FramesGridsOfEveryShape) {
    for (auto [w, h] : {std::pair{1, 1}, {7, 3}, {3, 7}, {16, 11}, {30, 4}, {4, 30}}) {
        const std::optional<Camera> framed = FrameGrid(w, h, kFramingElevation);
        ASSERT_TRUE(framed) << w << "x" << h;
        Camera c = *framed;
        Cross(&c.up, c.look, c.right);
        EXPECT_NEAR(Length(c.look), 1.0f, 1e-5f);
        for (float aspect : {1.25f, 4.0f / 3.0f, 16.0f / 9.0f}) {
            Matrix4 view = c.ViewMatrix(), projection, both;
            MatrixPerspectiveFovLH(&projection, 3.1415927f / 3.0f, aspect, 0.5f, 1000.0f);
            MatrixMultiply(&both, view, projection);
            float spanX = 0, spanY = 0;
            Vec3 first(0, 0, 0);
            for (float x : {0.0f, 10.0f * w})
                for (float y : {0.0f, 10.0f * h})
                    for (float z : {0.0f, 3.0f}) {  // the floor and the targets standing on it
                        Vec3 s;
                        Vec3TransformCoord(&s, Vec3(x, y, z), both);
                        ASSERT_TRUE(std::isfinite(s.x) && std::isfinite(s.y)) << w << "x" << h;
                        EXPECT_TRUE(std::fabs(s.x) <= 1.0f && std::fabs(s.y) <= 1.0f && s.z > 0.0f && s.z < 1.0f) << w << "x" << h;
                        if (x == 0 && y == 0 && z == 0) first = s;
                        if (z == 0) spanX = std::max(spanX, std::fabs(s.x - first.x));
                        if (z == 0) spanY = std::max(spanY, std::fabs(s.y - first.y));
                    }
            // Not framed from needlessly far away: at 5:4 a grid of several tiles fills most of
            // one direction (a single tile is seen from the closest distance, 20 units).
            if (aspect == 1.25f && w * h > 1) { EXPECT_GT(std::max(spanX, spanY), 1.4f) << w << "x" << h; }
        }
    }
    // Beyond the far plane there is no view to give.
    EXPECT_FALSE(FrameGrid(400, 400, kFramingElevation));
}

// A level written with tabs, CR LF line ends, numbers in exponent form and text after the speed.
// "@" marks where each camera number goes.
const char* const kLevel =
    "style standard\r\nheight 4\r\nwidth 5\r\ncamera_data\t@ @ @\r\n  @  @ @\r\n@\t@ @\n@ @ @\r\n"
    "objects 1\r\n1 2 rails 1 90\r\nstart 1 3 n\r\nfinish 1 0 n\r\nspeed 2.5\r\nafter the speed\r\n";

std::string Fill(const std::string& numbers) {
    std::istringstream words(numbers);
    std::string out;
    for (const char* p = kLevel; *p; ++p) {
        std::string word;
        if (*p == '@' && words >> word) {
            out += word;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(LevelFraming, WritePutsTheCameraInPlaceKeepingEveryOtherByte) {
    TempDir dir;
    const std::string path = dir.Write("l.txt", Fill("1e1 -0 3 0 1 0 0 0 1 1 0 0"));
    const std::optional<Camera> framed = FrameGrid(5, 4, kFramingElevation);
    ASSERT_TRUE(framed);
    const std::string numbers = CameraNumbers(*framed);

    for (bool write : {false, true}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunFraming(path, write, out, err), kExitOk) << err.str();
        EXPECT_EQ(out.str(), "camera_data " + numbers + "\n");
        EXPECT_EQ(ReadFile(path), Fill(write ? numbers : "1e1 -0 3 0 1 0 0 0 1 1 0 0"));
    }
    // The game reads back exactly the camera that was computed.
    const Level level(nullptr, nullptr, path);
    ASSERT_TRUE(level.camera && !level.loadStop);
    EXPECT_TRUE(level.camera->position == framed->position && level.camera->up == framed->up &&
                level.camera->look == framed->look && level.camera->right == framed->right);
}

TEST(LevelFraming, LevelsWithoutAViewLeaveTheFileAsItWas) {
    struct Case {
        std::string text;
        int status;
        std::string message;
    };
    const std::string tail = "objects 0 start 0 0 e finish 0 0 e speed 2\n";
    const std::string camera = " camera_data 0 0 0 0 1 0 0 0 1 1 0 0 ";
    const Case cases[] = {
        {"style s\nheight 3\nwidth x\n", kExitUsage, ":3:7: error: expected an integer (width), found 'x'"},
        {"style s height 0 width 3" + camera + tail, kExitFailed, ": error: a grid of 3 by 0 tiles has nothing to frame"},
        {"style s height 300 width 300" + camera + tail, kExitFailed, ": error: the grid of 300 by 300 tiles does not fit"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.Write("l.txt", c.text);
        std::ostringstream out, err;
        EXPECT_EQ(RunFraming(path, true, out, err), c.status) << c.text;
        EXPECT_EQ(err.str().rfind(path + c.message, 0), 0u) << err.str();
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(ReadFile(path), c.text);
    }
}

}  // namespace

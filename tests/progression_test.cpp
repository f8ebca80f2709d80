#include <gtest/gtest.h>

#include "TempDir.h"
#include "audio/Sound.h"
#include "state/LevelProgression.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"

namespace {

std::string LevelText(const std::string& style, const std::string& camera, int height = 4, int width = 6) {
    return "style " + style + " height " + std::to_string(height) + " width " + std::to_string(width) + " " + camera +
           " objects 1 3 2 50pts 1 0 start 0 2 e finish 5 2 e speed 2\n";
}

// A data folder with three listed levels, the catalogue in g_catalogue, the folder current.
class Progression : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("levels/a.txt", LevelText("A", "camera_data 1 2 3 0 0 1 0 1 0 1 0 0"));
        dir.Write("levels/sub/b.txt", LevelText("B", "camera_data 4 5 6 0 0 1 0 1 0 1 0 0", 7, 9));
        dir.Write("levels/c.txt", "style C height 2\n");  // stops before its camera
        catalogue.levels = {"a.txt", "sub\\b.txt", "c.txt"};  // listed paths may use backslashes
        g_catalogue = &catalogue;
    }
    TempDir dir;
    ScopedCurrentDir inDir{dir.Path()};
    ResourceCatalogue catalogue{nullptr, nullptr};
};

}  // namespace

TEST_F(Progression, LoadsTheListedLevelWithItsGridAndCamera) {
    g_camera.position = Vec3(99, 99, 99);
    g_bullets.push_back(Bullet(Vec3(0, 0, 0), Vec3(1, 0, 0), 30.0f, nullptr, nullptr, nullptr));
    ASSERT_EQ(LoadLevel(1), 0);
    ASSERT_TRUE(g_level);
    EXPECT_EQ(g_level->style, "B");
    EXPECT_FALSE(g_level->loadStop);
    EXPECT_EQ(g_camera.position, Vec3(4, 5, 6));
    EXPECT_TRUE(g_bullets.empty());
    ASSERT_TRUE(g_grid);
    EXPECT_EQ(g_grid->sizeY, 70.0f);  // rows
    EXPECT_EQ(g_grid->sizeX, 90.0f);  // columns
    EXPECT_EQ(g_grid->xLineCount, 10);
    EXPECT_EQ(g_grid->yLineCount, 8);

    // Moving the view in play leaves the level's own camera as loaded.
    g_camera.Walk(10);
    EXPECT_EQ(g_level->camera->position, Vec3(4, 5, 6));
}

// Past the last level (or at a bad index) play wraps to the first; a retry reloads the file; a
// level without a camera keeps the camera in use; a level from a path loads as a listed one.
TEST_F(Progression, WrapsRetriesAndKeepsTheCameraWhenALevelHasNone) {
    // No levels, or no catalogue: nothing starts.
    catalogue.levels.clear();
    g_levelIndex = 2;
    EXPECT_EQ(LoadLevel(0), 1);
    EXPECT_TRUE(!g_level && g_levelIndex == 0);
    catalogue.levels = {"a.txt", "b.txt", "c.txt"};
    g_catalogue = nullptr;
    EXPECT_EQ(LoadLevel(0), 1);
    EXPECT_EQ(LoadLevelFromPath("levels/a.txt"), 1);
    EXPECT_FALSE(g_level);
    g_catalogue = &catalogue;

    for (int index : {3, -1}) {
        g_levelIndex = index;
        ASSERT_EQ(LoadLevel(g_levelIndex), 0);
        EXPECT_TRUE(g_level->style == "A" && g_levelIndex == 0) << index;
    }
    g_level->objects.clear();
    g_level->lost = true;
    ASSERT_EQ(LoadLevel(0), 0);
    EXPECT_TRUE(g_level->objects.size() == 1u && !g_level->lost);

    g_camera.Fly(3);
    const Camera before = g_camera;
    ASSERT_EQ(LoadLevel(2), 0);
    EXPECT_FALSE(g_level->camera);
    EXPECT_EQ(g_camera.position, before.position);
    EXPECT_EQ(g_grid->yLineCount, 3);
    EXPECT_EQ(g_grid->xLineCount, 1);  // no width read: a grid of one line, which draws nothing

    ASSERT_EQ(LoadLevelFromPath((dir.Path() / "levels" / "sub" / "b.txt").string()), 0);
    EXPECT_TRUE(g_level->style == "B" && g_camera.position == Vec3(4, 5, 6));

}

TEST_F(Progression, ALoadToldToStopLeavesNoLevelAndALoadLetGoOnIsWhole) {
    std::string entries;
    const int count = 3 * kObjectsBetweenLoadChecks;
    for (int i = 0; i < count; ++i) entries += std::to_string(i % 100) + " " + std::to_string(i / 100) + " block 1 0\n";
    dir.Write("levels/big.txt", "style B height 500 width 100 camera_data 0 0 0 0 0 1 0 1 0 1 0 0 objects " +
                                    std::to_string(count) + "\n" + entries + "start 0 0 e finish 9 0 e speed 2\n");
    int asked = 0;
    SetLevelLoadCheck([&asked] { return ++asked < 2; });
    EXPECT_EQ(LoadLevelFromPath("levels/big.txt"), 2);
    EXPECT_FALSE(g_level);
    EXPECT_EQ(asked, 2);
    SetLevelLoadCheck([] { return true; });
    ASSERT_EQ(LoadLevelFromPath("levels/big.txt"), 0);
    EXPECT_EQ(g_level->objects.size(), static_cast<size_t>(count));
    EXPECT_FALSE(g_level->loadStop);
    SetLevelLoadCheck({});
}

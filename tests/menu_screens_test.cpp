#include <gtest/gtest.h>

#include "GameFixture.h"
#include "graphics/MenuScreens.h"

// One screen at a time, by precedence: title, introduction, level complete, game over. Each is
// drawn on black without text, from the menu pose (about 66 units above the origin looking down
// -z, the screen's up along world -y), unless opened while paused: then from wherever the player
// flew the camera.
TEST_F(GameFixture, MenuScreensShowOneScreenByPrecedenceFromTheMenuPose) {
    catalogue.materials[0] = ColourMaterial(1, 1, 1);
    for (const char* name : {"menuIntro", "menuIntroduction", "menuComplete", "menuGameover"}) AddModel(name);
    const struct {
        bool title, intro, won, lost, paused;
        const char* model;
    } cases[] = {
        {true, true, true, true, false, "menuIntro"},      {false, true, true, true, false, "menuIntroduction"},
        {false, false, true, true, false, "menuComplete"}, {false, false, false, true, false, "menuGameover"},
        {false, false, false, false, false, ""},           {true, false, false, false, true, "menuIntro"},
    };
    for (const auto& c : cases) {
        g_showTitleMenu = c.title, g_showIntroduction = c.intro, g_level->won = c.won, g_level->lost = c.lost;
        g_paused = c.paused;
        g_camera.position = Vec3(5.0f, 6.0f, 7.0f);
        device.ClearCalls();
        RenderMenus(0.5f, 99);
        const std::vector<std::string> draws = device.Lines({"DrawSubset"});
        EXPECT_EQ(draws.size(), *c.model ? 1u : 0u) << c.model;
        if (!draws.empty()) { EXPECT_EQ(draws[0].substr(11, draws[0].find(',') - 11), c.model); }
        EXPECT_TRUE(device.CallsNamed("DrawText").empty());
        EXPECT_EQ(device.CallsNamed("Clear").at(0).color, 0xFF000000u);
        if (c.paused) { EXPECT_EQ(g_camera.position, Vec3(5.0f, 6.0f, 7.0f)) << c.model; } else {
            // The view worked out by hand from the pose's axes and position (0.414, 2.855, 66.168).
            const Matrix4 v = device.CallsNamed("SetTransform").at(0).matrix;
            for (auto [i, e] : {std::pair{0, 1.0f}, {5, -1.0f}, {10, -1.0f}, {12, -0.41936f}, {13, 2.78326f}, {14, 66.17084f}})
                EXPECT_NEAR(v.m[i], e, 1e-4f) << c.model << " " << i;
        }
    }
}

#include <gtest/gtest.h>

#include "GameFixture.h"
#include "graphics/MenuScreens.h"

namespace {
class MenuScreens : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        catalogue.materials[0] = ColourMaterial(1, 1, 1);
        for (const char* name : {"menuIntro", "menuIntroduction", "menuComplete", "menuGameover"}) AddModel(name);
        g_showTitleMenu = true;
    }
    // The one model the last frame drew; "" for none.
    std::string DrawnModel() {
        const std::vector<std::string> draws = device.Lines({"DrawSubset"});
        EXPECT_LE(draws.size(), 1u);
        return draws.empty() ? "" : draws[0].substr(11, draws[0].find(',') - 11);
    }
};
}  // namespace

TEST_F(MenuScreens, TitleFrameFromTheMenuPoseOnBlackWithoutText) {
    g_camera.position = Vec3(1.0f, 2.0f, 3.0f);
    device.ClearCalls();
    RenderMenus(0.5f, 99);

    Camera pose;
    SetMenuCameraPose(&pose);
    RecordingDevice e;
    e.NameMesh(catalogue.models["menuIntro"].mesh.get(), "menuIntro");
    ExpectFrameBegin(e, 0xFF000000u, pose.ViewMatrix());
    e.SetTransform(TransformType::World, g_identity);
    e.SetMaterial(ColourMaterial(1, 1, 1));
    e.SetTexture(0, nullptr);
    e.DrawSubset(*catalogue.models["menuIntro"].mesh, 0);
    e.SetTexture(0, nullptr);
    e.EndScene();
    e.Present();
    EXPECT_EQ(device.Lines(), e.Lines());
    // About 66 units above the origin looking down -z, the screen's up along world -y.
    EXPECT_NEAR(g_camera.position.z, 66.16783f, 1e-4f);
    EXPECT_NEAR(g_camera.look.z, -1.0f, 1e-5f);
    EXPECT_NEAR(g_camera.up.y, -1.0f, 1e-5f);
}

TEST_F(MenuScreens, ScreenPrecedenceAndThePausedCamera) {
    struct Case {
        bool title, intro, won, lost;
        const char* model;
    } cases[] = {
        {true, true, true, true, "menuIntro"},     {false, true, true, true, "menuIntroduction"},
        {false, false, true, true, "menuComplete"}, {false, false, false, true, "menuGameover"},
        {false, false, false, false, ""},
    };
    for (const Case& c : cases) {
        g_showTitleMenu = c.title;
        g_showIntroduction = c.intro;
        g_level->won = c.won;
        g_level->lost = c.lost;
        device.ClearCalls();
        RenderMenus(0.0f, 0);
        EXPECT_EQ(DrawnModel(), c.model);
        EXPECT_TRUE(device.CallsNamed("DrawText").empty());
    }
    // Opened while paused, a menu is seen from wherever the player flew the camera.
    g_paused = g_showTitleMenu = true;
    g_camera.position = Vec3(5.0f, 6.0f, 7.0f);
    device.ClearCalls();
    RenderMenus(0.0f, 0);
    EXPECT_EQ(g_camera.position, Vec3(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(DrawnModel(), "menuIntro");
}

#include <gtest/gtest.h>

#include "GameFixture.h"
#include "graphics/MenuScreens.h"

namespace {
class MenuScreens : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        catalogue.materials[0] = ColourMaterial(1, 1, 1);
        AddModel("menuIntro");
        AddModel("menuIntroduction");
        AddModel("menuComplete");
        AddModel("menuGameover");
        MakeFont();
        g_showTitleMenu = true;
    }

    // The name of the one model the last menu frame drew; "" when none.
    std::string DrawnModel() {
        const std::vector<RecordedCall> draws = device.CallsNamed("DrawSubset");
        if (draws.empty()) return "";
        EXPECT_EQ(draws.size(), 1u);
        return draws[0].args.substr(0, draws[0].args.find(','));
    }
};
}  // namespace

TEST_F(MenuScreens, TitleFrameFromTheMenuPoseOnBlackWithoutText) {
    g_camera.position = Vec3(1.0f, 2.0f, 3.0f);
    device.ClearCalls();
    RenderMenus(0.5f, 99);

    Camera pose;
    SetMenuCameraPose(&pose);
    const Matrix4 view = pose.ViewMatrix();
    RecordingDevice e;
    e.NameMesh(catalogue.models["menuIntro"].mesh.get(), "menuIntro");
    e.Clear(7, 0xFF000000u, 1.0f, 0);
    e.SetRenderState(RenderStateType::Ambient, 0xFF000000u);
    e.SetRenderState(RenderStateType::ZEnable, 1);
    e.SetRenderState(RenderStateType::Lighting, 1);
    e.SetRenderState(RenderStateType::ShadeMode, 2);
    e.SetRenderState(RenderStateType::SpecularEnable, 1);
    e.SetTransform(TransformType::View, view);
    e.SetTransform(TransformType::World, g_identity);
    e.BeginScene();
    e.SetLight(0, g_light);
    e.LightEnable(0, true);
    e.SetTransform(TransformType::World, g_identity);
    e.SetMaterial(ColourMaterial(1, 1, 1));
    e.SetTexture(0, nullptr);
    e.DrawSubset(*catalogue.models["menuIntro"].mesh, 0);
    e.SetTexture(0, nullptr);
    e.EndScene();
    e.Present();
    EXPECT_EQ(device.Lines(), e.Lines());

    // The pose hangs above the origin looking down -z with the screen's up along -y; the camera
    // keeps its normalised form until the next frame writes the pose again.
    EXPECT_NEAR(g_camera.position.z, 66.16783f, 1e-4f);
    EXPECT_NEAR(g_camera.look.z, -1.0f, 1e-5f);
    EXPECT_NEAR(g_camera.up.y, -1.0f, 1e-5f);
    EXPECT_NEAR(g_camera.right.x, 1.0f, 1e-5f);
}

TEST_F(MenuScreens, ScreenPrecedenceTitleIntroductionCompleteGameOver) {
    struct Case {
        bool title, intro, won, lost;
        const char* model;
    } cases[] = {
        {true, true, true, true, "menuIntro"},
        {false, true, true, true, "menuIntroduction"},
        {false, false, true, true, "menuComplete"},
        {false, false, true, false, "menuComplete"},
        {false, false, false, true, "menuGameover"},
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
        EXPECT_EQ(device.CallsNamed("Clear")[0].color, 0xFF000000u);
    }
}

TEST_F(MenuScreens, PausedGameKeepsItsCameraBehindTheMenu) {
    g_paused = true;
    g_camera.position = Vec3(5.0f, 6.0f, 7.0f);
    device.ClearCalls();
    RenderMenus(0.0f, 0);
    EXPECT_EQ(g_camera.position, Vec3(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(DrawnModel(), "menuIntro");
}

#include <gtest/gtest.h>

#include "GameFixture.h"
#include "state/FloorGrid.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/SceneRendering.h"
#include "math/MathFunctions.h"

namespace {
Matrix4 Translation(float x, float y, float z) {
    Matrix4 m;
    return *MatrixTranslation(&m, x, y, z);
}

LevelObject Object(const char* name, int32_t x, int32_t y, float scale = 1.0f, float angle = 0.0f) {
    LevelObject o;
    o.name = name, o.x = x, o.y = y, o.scale = scale, o.angle = angle;
    return o;
}

class SceneRendering : public GameFixture {
protected:
    Material red = ColourMaterial(1, 0, 0), green = ColourMaterial(0, 1, 0), blue = ColourMaterial(0, 0, 1);
    RecordingTexture* wood = new RecordingTexture;
    // The expected calls, issued on a second recorder so both lists read in the same text.
    RecordingDevice e;
    Font* expectedFont = nullptr;

    void SetUp() override {
        GameFixture::SetUp();
        catalogue.materials = {{0, red}, {1, green}, {2, blue}};
        wood->path = "wood.png";
        catalogue.textures["wood.png"].reset(wood);
        catalogue.textures["missing.png"];  // listed, but its file did not load
        AddModel("rturn", {"wood.png"}, 0);
        AddModel("rail", {"", "missing.png"}, 1);
        AddModel("train", {""}, 2);
        AddModel("bullet", {""}, 0);
        AddModel("floor", {"wood.png"}, 1);
        AddModel("pointer", {""}, 2);
        for (auto& [name, model] : catalogue.models) e.NameMesh(model.mesh.get(), name);
        e.CreateFont(FontDesc{}, &expectedFont);
        e.ClearCalls();
        g_level->trainX = g_level->trainY = 1;
        g_level->trainHeading = 'e';
        g_level->score = 150;
        g_camera.position = Vec3(15.0f, 15.0f, 40.0f), g_camera.look = Vec3(0, 0, -1), g_camera.up = Vec3(0, -1, 0);
    }
    void TearDown() override {
        delete expectedFont;
        GameFixture::TearDown();
    }
    void ExpectBegin() { ExpectFrameBegin(e, 0xFFFFFFFFu, Camera(g_camera).ViewMatrix()); }
    void ExpectSubset(const char* model, uint32_t i, const Material& material, Texture* texture) {
        e.SetMaterial(material);
        e.SetTexture(0, texture);
        e.DrawSubset(*catalogue.models[model].mesh, i);
    }
    void ExpectText(const char* text, Rect rect) { expectedFont->DrawText(text, -1, rect, 0x100, 0xFF000000u); }
};
}  // namespace

TEST_F(SceneRendering, FrameOfPlayDrawsEverythingInOrderWithItsTransforms) {
    const float quarterTurn = 1.5707964f;
    g_level->objects = {Object("blocked", 0, 0), Object("rturn", 1, 2), Object("rail", 2, 1, 2.0f, quarterTurn)};
    g_bullets.emplace_back(Vec3(12.0f, 34.0f, 3.0f), Vec3(0.0f, 1.0f, 0.0f), 30.0f, g_level.get(), &catalogue, nullptr);
    g_pointer = Vec3(45.3f, 12.1f, 0.0f);
    g_grid = std::make_unique<FloorGrid>(&device, 30.0f, 30.0f, 0.0f, 4, 4);
    g_showGrid = g_showClickVector = g_paused = true;
    ExpectBegin();
    device.ClearCalls();

    RenderGame(0.016f, 37);

    // Objects: "blocked" is skipped; each other one is scaled, turned, then moved to its tile.
    auto stageOps = [this] {
        e.SetTextureStageState(0, TextureStageStateType::ColorOp, 4);
        e.SetTextureStageState(0, TextureStageStateType::ColorArg1, 2);
        e.SetTextureStageState(0, TextureStageStateType::ColorArg2, 0);
        e.SetTextureStageState(0, TextureStageStateType::AlphaOp, 1);
    };
    e.SetTransform(TransformType::World, Translation(15.0f, 25.0f, 0.0f));
    stageOps();
    ExpectSubset("rturn", 0, red, wood);
    Matrix4 scale, turn, railWorld, trainWorld;
    MatrixScaling(&scale, 2, 2, 2);
    MatrixMultiply(&railWorld, scale, *MatrixMultiply(&railWorld, *MatrixRotationZ(&turn, quarterTurn),
                                                      Translation(25.0f, 15.0f, 0.0f)));
    EXPECT_NEAR(railWorld(0, 1), 2.0f, 1e-6f);  // the model's +x turned onto +y
    e.SetTransform(TransformType::World, railWorld);
    stageOps();
    ExpectSubset("rail", 0, green, nullptr);  // no texture named
    ExpectSubset("rail", 1, blue, nullptr);   // named, but its file did not load
    // The train heading east, lifted 0.6; then bullet, floor, pointer 10 above the mouse point.
    MatrixRotationZ(&turn, static_cast<float>(3.1415927f / 180.0) * 90.0f);
    e.SetTransform(TransformType::World, *MatrixMultiply(&trainWorld, turn, Translation(15.0f, 15.0f, 0.6f)));
    ExpectSubset("train", 0, blue, nullptr);
    e.SetTransform(TransformType::World, Translation(12.0f, 34.0f, 3.0f));
    ExpectSubset("bullet", 0, red, nullptr);
    e.SetTransform(TransformType::World, g_identity);
    ExpectSubset("floor", 0, green, wood);
    e.SetTransform(TransformType::World, Translation(45.3f, 12.1f, 10.0f));
    ExpectSubset("pointer", 0, blue, nullptr);
    e.SetTransform(TransformType::World, g_identity);
    e.SetTexture(0, nullptr);
    ExpectText("Click Vector: \n45 12 0\n", Rect{0, 40, 100, 80});
    ExpectText("PAUSED", Rect{300, 0, 300, 100});
    e.SetTransform(TransformType::World, Translation(0.0f, 0.0f, 0.1f));
    e.SetMaterial(g_gridMaterial);
    e.SetStreamSource(0, nullptr, 0, 12);
    e.SetFVF(2);
    e.DrawPrimitive(PrimitiveType::LineList, 0, 8);
    e.SetTransform(TransformType::World, g_identity);
    ExpectText("Score: 150", Rect{500, 0, 100, 100});
    ExpectText("fps: 37", Rect{0, 0, 500, 100});
    e.EndScene();
    e.Present();

    // The grid's buffer is compared by identity, as each recorder labels buffers its own way.
    std::vector<std::string> got = device.Lines(), want = e.Lines();
    for (auto* list : {&got, &want})
        for (std::string& line : *list)
            if (line.rfind("SetStreamSource(", 0) == 0) line = "SetStreamSource(grid)";
    EXPECT_EQ(got, want);
    EXPECT_EQ(device.CallsNamed("SetStreamSource").at(0).object, g_gridVertexBuffer.get());
    EXPECT_TRUE(errors.empty());
}

TEST_F(SceneRendering, LostOrWonLevelGetsOnlyTheFrameRateAndNoObjectMeansNoStageOperations) {
    g_showGrid = g_paused = g_showClickVector = true;
    for (bool* flag : {&g_level->lost, &g_level->won}) {
        *flag = true;
        device.ClearCalls();
        e.ClearCalls();
        RenderGame(0.0f, 12);
        ExpectBegin();
        ExpectText("fps: 12", Rect{0, 0, 500, 100});
        e.EndScene();
        e.Present();
        EXPECT_EQ(device.Lines(), e.Lines());
        *flag = false;
    }
    g_showGrid = g_paused = g_showClickVector = false;
    g_level->objects = {Object("blocked", 1, 1, 5.0f)};
    device.ClearCalls();
    RenderGame(0.0f, 0);
    EXPECT_TRUE(device.CallsNamed("SetTextureStageState").empty());
    EXPECT_EQ(device.CallsNamed("DrawSubset").size(), 3u) << "train, floor and pointer";
    EXPECT_EQ(device.Lines({"DrawText"}).size(), 2u) << "score and frame rate only";
}

TEST_F(SceneRendering, FailingClearAbandonsTheFrameAndFailingPresentIsReported) {
    device.FailCall("Clear", kErrInvalidCall, 1);
    device.ClearCalls();
    RenderGame(0.0f, 0);
    EXPECT_EQ(device.Lines(), std::vector<std::string>{"Clear(7, 0xffffffff, 1, 0)"});
    EXPECT_EQ(errors, std::vector<std::string>{"Error calling Clear: Invalid call."});

    errors.clear();
    device.FailCall("Present", kErrDeviceLost, 1);
    RenderGame(0.0f, 0);
    EXPECT_EQ(device.Calls().back().name, "Present");
    EXPECT_EQ(errors, std::vector<std::string>{"Error calling Present: Device was lost."});
}

#include <gtest/gtest.h>

#include <cmath>

#include "GameFixture.h"
#include "graphics/FloorGrid.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/ModelDrawing.h"
#include "graphics/SceneRendering.h"
#include "math/MathFunctions.h"

namespace {
Matrix4 Translation(float x, float y, float z) {
    Matrix4 m;
    return *MatrixTranslation(&m, x, y, z);
}

// The calls a frame of play is expected to make, issued on a second recorder so that both lists
// are written in the same canonical text.
class ExpectedFrame {
public:
    RecordingDevice device{1024, 768};
    Font* font = nullptr;
    Matrix4 identity;

    explicit ExpectedFrame(ResourceCatalogue& catalogue) {
        Identity(&identity);
        for (auto& [name, model] : catalogue.models)
            if (model.mesh) device.NameMesh(model.mesh.get(), name);
        FontDesc desc{};
        device.CreateFont(desc, &font);
        device.ClearCalls();
    }
    ~ExpectedFrame() { delete font; }

    void Begin(uint32_t clearColour, const Matrix4& view) {
        device.Clear(7, clearColour, 1.0f, 0);
        device.SetRenderState(RenderStateType::Ambient, 0xFF000000u);
        device.SetRenderState(RenderStateType::ZEnable, 1);
        device.SetRenderState(RenderStateType::Lighting, 1);
        device.SetRenderState(RenderStateType::ShadeMode, 2);
        device.SetRenderState(RenderStateType::SpecularEnable, 1);
        device.SetTransform(TransformType::View, view);
        device.SetTransform(TransformType::World, identity);
        device.BeginScene();
        device.SetLight(0, g_light);
        device.LightEnable(0, true);
    }
    void StageOps() {
        device.SetTextureStageState(0, TextureStageStateType::ColorOp, 4);
        device.SetTextureStageState(0, TextureStageStateType::ColorArg1, 2);
        device.SetTextureStageState(0, TextureStageStateType::ColorArg2, 0);
        device.SetTextureStageState(0, TextureStageStateType::AlphaOp, 1);
    }
    void Subset(const Model& model, uint32_t i, const Material& material, Texture* texture) {
        device.SetMaterial(material);
        device.SetTexture(0, texture);
        device.DrawSubset(*model.mesh, i);
    }
    void Text(const char* text, Rect rect) { font->DrawText(text, -1, rect, 0x100, 0xFF000000u); }
    void End() {
        device.EndScene();
        device.Present();
    }
};

class SceneRendering : public GameFixture {
protected:
    std::vector<std::string> errors;
    Material red = ColourMaterial(1, 0, 0), green = ColourMaterial(0, 1, 0), blue = ColourMaterial(0, 0, 1);
    RecordingTexture* wood = nullptr;

    void SetUp() override {
        GameFixture::SetUp();
        SetErrorBoxForTesting([this](const std::string& text) {
            errors.push_back(text);
            return 1;
        });
        catalogue.materials[0] = red;
        catalogue.materials[1] = green;
        catalogue.materials[2] = blue;
        wood = new RecordingTexture;
        wood->path = "wood.png";
        catalogue.textures["wood.png"].reset(wood);
        catalogue.textures["missing.png"];  // listed, but its file did not load
        AddModel("rturn", {"wood.png"}, 0);
        AddModel("rail", {"", "missing.png"}, 1);
        AddModel("train", {""}, 2);
        AddModel("bullet", {""}, 0);
        AddModel("floor", {"wood.png"}, 1);
        AddModel("pointer", {""}, 2);
        MakeFont();
        g_level->trainX = 1;
        g_level->trainY = 1;
        g_level->trainHeading = 'e';
        g_level->score = 150;
        g_camera.position = Vec3(15.0f, 15.0f, 40.0f);
        g_camera.look = Vec3(0.0f, 0.0f, -1.0f);
        g_camera.up = Vec3(0.0f, -1.0f, 0.0f);
    }
    void TearDown() override {
        SetErrorBoxForTesting(nullptr);
        GameFixture::TearDown();
    }
    Matrix4 View() {
        Camera copy = g_camera;
        return copy.ViewMatrix();
    }
};
}  // namespace

TEST_F(SceneRendering, FrameOfPlayDrawsEverythingInOrderWithItsTransforms) {
    const float quarterTurn = 1.5707964f;
    g_level->objects = {Object("blocked", 0, 0), Object("rturn", 1, 2), Object("rail", 2, 1, 2.0f, quarterTurn)};
    g_bullets.emplace_back(Vec3(12.0f, 34.0f, 3.0f), Vec3(0.0f, 1.0f, 0.0f), 30.0f, g_level.get(), &catalogue, nullptr);
    g_pointer = Vec3(45.3f, 12.1f, 0.0f);
    g_grid = std::make_unique<FloorGrid>(&device, 30.0f, 30.0f, 0.0f, 4, 4);
    g_showGrid = g_showClickVector = g_paused = true;
    const Matrix4 view = View();
    device.ClearCalls();

    RenderGame(0.016f, 37);

    ExpectedFrame e(catalogue);
    e.Begin(0xFFFFFFFFu, view);
    // Objects: "blocked" skipped; scale, then turn, then the move to the tile centre.
    e.device.SetTransform(TransformType::World, Translation(15.0f, 25.0f, 0.0f));
    e.StageOps();
    e.Subset(catalogue.models["rturn"], 0, red, wood);
    Matrix4 scale, turn, move, railWorld;
    MatrixScaling(&scale, 2, 2, 2);
    MatrixRotationZ(&turn, quarterTurn);
    MatrixTranslation(&move, 25.0f, 15.0f, 0.0f);
    MatrixMultiply(&railWorld, scale, *MatrixMultiply(&railWorld, turn, move));
    EXPECT_NEAR(railWorld(0, 1), 2.0f, 1e-6f);  // +x of the model turned onto +y
    e.device.SetTransform(TransformType::World, railWorld);
    e.StageOps();
    e.Subset(catalogue.models["rail"], 0, green, nullptr);
    e.Subset(catalogue.models["rail"], 1, blue, nullptr);
    // The train heading east, lifted 0.6.
    Matrix4 trainWorld;
    MatrixRotationZ(&turn, static_cast<float>(static_cast<float>(3.1415927f / 180.0) * 90.0f));
    MatrixMultiply(&trainWorld, turn, Translation(15.0f, 15.0f, 0.6f));
    e.device.SetTransform(TransformType::World, trainWorld);
    e.Subset(catalogue.models["train"], 0, blue, nullptr);
    e.device.SetTransform(TransformType::World, Translation(12.0f, 34.0f, 3.0f));
    e.Subset(catalogue.models["bullet"], 0, red, nullptr);
    e.device.SetTransform(TransformType::World, e.identity);
    e.Subset(catalogue.models["floor"], 0, green, wood);
    e.device.SetTransform(TransformType::World, Translation(45.3f, 12.1f, 10.0f));
    e.Subset(catalogue.models["pointer"], 0, blue, nullptr);
    e.device.SetTransform(TransformType::World, e.identity);
    e.device.SetTexture(0, nullptr);
    e.Text("Click Vector: \n45 12 0\n", Rect{0, 40, 100, 80});
    e.Text("PAUSED", Rect{300, 0, 300, 100});
    e.device.SetTransform(TransformType::World, Translation(0.0f, 0.0f, 0.1f));
    e.device.SetMaterial(g_gridMaterial);
    e.device.SetStreamSource(0, g_gridVertexBuffer.get(), 0, 12);
    e.device.SetFVF(2);
    e.device.DrawPrimitive(PrimitiveType::LineList, 0, 8);
    e.device.SetTransform(TransformType::World, e.identity);
    e.Text("Score: 150", Rect{500, 0, 100, 100});
    e.Text("fps: 37", Rect{0, 0, 500, 100});
    e.End();

    // The recorders label the grid's buffer by their own count; compare it by identity instead.
    std::vector<std::string> got = device.Lines(), want = e.device.Lines();
    for (auto* list : {&got, &want})
        for (std::string& line : *list)
            if (line.rfind("SetStreamSource(", 0) == 0) line = "SetStreamSource(grid)";
    EXPECT_EQ(got, want);
    ASSERT_EQ(device.CallsNamed("SetStreamSource").size(), 1u);
    EXPECT_EQ(device.CallsNamed("SetStreamSource")[0].object, g_gridVertexBuffer.get());
    EXPECT_TRUE(errors.empty());
}

TEST_F(SceneRendering, QuietFrameDrawsNoOptionalText) {
    const Matrix4 view = View();
    device.ClearCalls();
    RenderGame(0.0f, 0);
    const std::vector<std::string> texts = device.Lines({"DrawText"});
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("\"Score: 150\""), std::string::npos);
    EXPECT_NE(texts[1].find("\"fps: 0\""), std::string::npos);
    EXPECT_TRUE(device.CallsNamed("DrawPrimitive").empty());
    EXPECT_TRUE(device.CallsNamed("SetTextureStageState").empty()) << "no object: no stage operations";
    // The floor and the pointer are drawn even with no bullet in flight.
    EXPECT_EQ(device.CallsNamed("DrawSubset").size(), 3u);
    EXPECT_EQ(device.CallsNamed("SetTransform")[0].matrix, view);
}

TEST_F(SceneRendering, LostOrWonLevelGetsOnlyTheFrameRate) {
    for (int which = 0; which < 2; ++which) {
        g_level->lost = which == 0;
        g_level->won = which == 1;
        g_showGrid = g_paused = g_showClickVector = true;
        const Matrix4 view = View();
        device.ClearCalls();
        RenderGame(0.0f, 12);
        ExpectedFrame e(catalogue);
        e.Begin(0xFFFFFFFFu, view);
        e.Text("fps: 12", Rect{0, 0, 500, 100});
        e.End();
        EXPECT_EQ(device.Lines(), e.device.Lines()) << (which == 0 ? "lost" : "won");
    }
}

TEST_F(SceneRendering, FailingClearAbandonsTheFrameAndFailingPresentIsReported) {
    device.FailCall("Clear", kErrInvalidCall, 1);
    device.ClearCalls();
    RenderGame(0.0f, 0);
    EXPECT_EQ(device.Lines(), std::vector<std::string>{"Clear(7, 0xffffffff, 1, 0)"});
    ASSERT_EQ(errors, std::vector<std::string>{"Error calling Clear: Invalid call."});

    errors.clear();
    device.FailCall("Present", kErrDeviceLost, 1);
    RenderGame(0.0f, 0);
    EXPECT_EQ(device.Calls().back().name, "Present");
    EXPECT_EQ(errors, std::vector<std::string>{"Error calling Present: Device was lost."});
}

TEST_F(SceneRendering, ModelsDrawUntexturedWhereTheirTextureIsMissingOrUnnamed) {
    AddModel("empty", {});
    catalogue.models["nomesh"];
    device.ClearCalls();
    DrawModel("empty");
    DrawModel("nomesh");
    DrawModel("never heard of");
    EXPECT_TRUE(device.Lines().empty());

    DrawModel("rail");
    const std::vector<RecordedCall> textures = device.CallsNamed("SetTexture");
    ASSERT_EQ(textures.size(), 2u);
    EXPECT_EQ(textures[0].object, nullptr);  // no texture named
    EXPECT_EQ(textures[1].object, nullptr);  // named, but its file did not load
    const std::vector<RecordedCall> subsets = device.CallsNamed("DrawSubset");
    ASSERT_EQ(subsets.size(), 2u);
    EXPECT_EQ(subsets[1].index, 1u);
    EXPECT_EQ(device.CallsNamed("SetMaterial")[1].material.diffuse, blue.diffuse);
}

TEST_F(SceneRendering, TrainWithoutHeadingIsDrawnAsIfFacingNorth) {
    g_level->trainHeading = 'x';
    g_level->objects = {Object("blocked", 1, 1, 5.0f)};
    device.ClearCalls();
    g_level->Draw();
    ASSERT_EQ(device.CallsNamed("SetTransform").size(), 1u);
    EXPECT_EQ(device.CallsNamed("SetTransform")[0].matrix, Translation(15.0f, 15.0f, 0.6f));
    EXPECT_TRUE(device.CallsNamed("SetTextureStageState").empty());
}

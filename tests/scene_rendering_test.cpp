#include <gtest/gtest.h>

#include "GameFixture.h"
#include "state/FloorGrid.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/KeptScene.h"
#include "graphics/SceneRendering.h"
#include "math/MathFunctions.h"

namespace {
Matrix4 Translation(float x, float y, float z) { return Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1}}; }

// To four decimals, so that a quarter turn's cosine, not quite 0 in float, prints as 0.
std::string Rounded(Matrix4 m) {
    for (float& v : m.m) v = std::round(v * 1e4f) / 1e4f + 0.0f;
    return FormatMatrix(m);
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

    void SetUp() override {
        GameFixture::SetUp();
        catalogue.materials = {{0, red}, {1, green}, {2, blue}};
        wood->path = "wood.png";
        catalogue.textures["wood.png"].reset(wood);
        catalogue.textures["missing.png"];  // listed, but its file did not load
        AddModel("rturn", {"wood.png"}, 0);
        AddModel("rail", {"", "missing.png"}, 1);
        for (const char* name : {"train", "bullet", "floor", "pointer"}) AddModel(name, {name == std::string("floor") ? "wood.png" : ""}, 2);
        g_level->trainX = g_level->trainY = 1;
        g_level->trainHeading = 'e';
        g_level->score = 150;
    }
};
}  // namespace

// A frame of play: every object but the station's blocked tiles, then bullets, floor and pointer,
// each subset with its material and texture (none when its file did not load) in its world
// transform; the texts on top, untextured; the grid lifted off the floor. The level's part of the
// picture is compared with a reference image end to end (e2e/level_render.sh).
TEST_F(SceneRendering, FrameOfPlayDrawsEachSubsetWithItsMaterialAndTextureThenTheTexts) {
    g_level->objects = {Object("blocked", 0, 0), Object("rturn", 1, 2), Object("rail", 2, 1, 2.0f, 1.5707964f)};
    g_bullets.emplace_back(Vec3(12.0f, 34.0f, 3.0f), Vec3(0.0f, 1.0f, 0.0f), 30.0f, g_level.get(), &catalogue, nullptr);
    g_pointer = Vec3(45.3f, 12.1f, 0.0f);
    g_grid = std::make_unique<FloorGrid>(&device, 30.0f, 30.0f, 0.0f, 4, 4);
    g_showGrid = g_showClickVector = g_paused = true;
    device.ClearCalls();
    RenderGame(0.016f, 37);

    // Each draw as "model, subset | material | texture | world", in order.
    std::vector<std::string> draws, texts;
    std::string material, texture, world;
    for (const RecordedCall& c : device.Calls()) {
        if (c.name == "SetMaterial") material = c.args;
        if (c.name == "SetTexture") texture = c.args;
        if (c.name == "SetTransform" && c.args.rfind("World", 0) == 0) world = Rounded(c.matrix);
        if (c.name == "DrawSubset") draws.push_back(c.args + " | " + material + " | " + texture + " | " + world);
        if (c.name == "DrawText") texts.push_back(texture + " " + c.text);
        if (c.name == "DrawPrimitive") { EXPECT_EQ(world, Rounded(Translation(0.0f, 0.0f, 0.1f))); }
    }
    const std::string woodLabel = "0, \"wood.png\"", noTexture = "0, null";
    // Row vectors, scaled, then turned a quarter about z (x to y), then moved to the tile's centre:
    // the rail doubled on tile (2, 1), the train heading east (its nose, along -y, turned to +x)
    // 0.6 above tile (1, 1).
    const Matrix4 rail{{0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 25, 15, 0, 1}};
    const Matrix4 train{{0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 15, 15, 0.6f, 1}};
    const auto draw = [&](const char* what, const Material& m, const std::string& t, const Matrix4& w) {
        return std::string(what) + " | " + FormatMaterial(m) + " | " + t + " | " + Rounded(w);
    };
    EXPECT_EQ(draws, (std::vector<std::string>{
                         draw("rturn, 0", red, woodLabel, Translation(15.0f, 25.0f, 0.0f)),
                         draw("rail, 0", green, noTexture, rail),
                         draw("rail, 1", blue, noTexture, rail),
                         draw("train, 0", blue, noTexture, train),
                         draw("bullet, 0", blue, noTexture, Translation(12.0f, 34.0f, 3.0f)),
                         draw("floor, 0", blue, woodLabel, g_identity),
                         draw("pointer, 0", blue, noTexture, Translation(45.3f, 12.1f, 10.0f)),
                     }));
    EXPECT_EQ(texts, (std::vector<std::string>{noTexture + " Click Vector: \n45 12 0\n", noTexture + " PAUSED",
                                              noTexture + " Score: 150", noTexture + " fps: 37"}));
    EXPECT_EQ(device.CallsNamed("SetStreamSource").at(0).object, g_gridVertexBuffer.get());
    EXPECT_EQ(device.Lines({"DrawPrimitive"}), std::vector<std::string>{"DrawPrimitive(LineList, 0, 8)"});
    EXPECT_TRUE(errors.empty());
}

// A lost or won level gets only the frame rate; objects that draw nothing set no stage state.
TEST_F(SceneRendering, LostOrWonLevelGetsOnlyTheFrameRate) {
    g_showGrid = g_paused = g_showClickVector = true;
    for (bool* flag : {&g_level->lost, &g_level->won}) {
        *flag = true;
        device.ClearCalls();
        RenderGame(0.0f, 12);
        EXPECT_EQ(device.Lines({"DrawSubset", "DrawPrimitive", "SetTextureStageState"}).size(), 0u);
        ASSERT_EQ(device.CallsNamed("DrawText").size(), 1u);
        EXPECT_EQ(device.CallsNamed("DrawText")[0].text, "fps: 12");
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

// The kept picture holds the objects and the floor: it is put back while they, the view, the
// projection and the device stay as they were, and drawn and kept again when one of them changes
// or the device has no picture to give back. What moves is drawn over it every frame.
TEST_F(SceneRendering, KeptPictureIsDrawnAgainExactlyWhenWhatItShowsChanges) {
    g_level->objects = {Object("rturn", 1, 2), Object("rail", 2, 1)};
    g_catalogue->models["rail"].mesh->subsets.resize(1);
    KeptScene kept;
    // A frame as "what was drawn, in order": clear, keep, back (the picture put back), none (no
    // picture to put back), and the models' names.
    const auto frame = [&]() {
        device.ClearCalls();
        RenderGame(0.0f, 0, &kept);
        std::string seen;
        for (const RecordedCall& c : device.Calls()) {
            if (c.name == "Clear") seen += "clear ";
            if (c.name == "KeepImage") seen += Failed(c.result) ? "unkept " : "keep ";
            if (c.name == "RestoreImage") seen += Failed(c.result) ? "none " : "back ";
            if (c.name == "DrawSubset") seen += c.args.substr(0, c.args.find(',')) + " ";
        }
        return seen;
    };
    const std::string drawn = "clear rturn rail floor keep train pointer ";
    const std::string putBack = "back train pointer ";
    EXPECT_EQ(frame(), drawn);
    EXPECT_EQ(frame(), putBack);

    // What moves does not touch it.
    g_bullets.emplace_back(Vec3(12.0f, 34.0f, 3.0f), Vec3(0.0f, 1.0f, 0.0f), 30.0f, g_level.get(), &catalogue, nullptr);
    g_pointer = Vec3(5, 5, 0);
    g_level->trainX = 2, g_level->score = 50;
    g_showGrid = g_paused = g_showClickVector = true;
    EXPECT_EQ(frame(), "back train bullet pointer ");
    g_bullets.clear();

    g_level->objects.MarkRemoved(0);
    EXPECT_EQ(frame(), drawn) << "an object hit";
    g_level->objects.EraseRemoved();
    EXPECT_EQ(frame(), "clear rail floor keep train pointer ") << "the hit object erased";
    g_level->objects.push_back(Object("rturn", 1, 2));
    EXPECT_EQ(frame(), "clear rail rturn floor keep train pointer ") << "a piece laid";
    const std::string now = "clear rail rturn floor keep train pointer ";
    EXPECT_EQ(frame(), putBack);

    g_camera.Walk(1.0f);
    EXPECT_EQ(frame(), now) << "the camera moved";
    EXPECT_EQ(frame(), putBack);
    g_projection(0, 0) += 1.0f;
    EXPECT_EQ(frame(), now) << "another projection";
    device.SetViewport(Viewport{0, 0, 512, 384, 0.0f, 1.0f});
    EXPECT_EQ(frame(), now) << "another viewport";
    device.SetViewport(Viewport{0, 0, 1024, 768, 0.0f, 1.0f});
    EXPECT_EQ(frame(), now);
    g_light.diffuse.r = 0.5f;
    EXPECT_EQ(frame(), now) << "another light";

    device.FailCall("RestoreImage", kFail, 1);
    EXPECT_EQ(frame(), "none " + now) << "the device lost the picture";
    device.FailCall("KeepImage", kFail, 1);
    g_camera.Walk(1.0f);
    EXPECT_EQ(frame(), "clear rail rturn floor unkept train pointer ") << "a picture that could not be kept";
    EXPECT_EQ(frame(), now) << "is drawn again";
    kept.Forget();
    EXPECT_EQ(frame(), now) << "forgotten";

    auto level = std::make_unique<Level>(&device, &catalogue, "no such level file");
    level->objects = std::vector<LevelObject>(g_level->objects.items());
    g_level = std::move(level);
    EXPECT_EQ(frame(), "clear rail rturn floor keep train pointer ") << "another level, the same objects";

    g_level->won = true;
    device.ClearCalls();
    RenderGame(0.0f, 0, &kept);
    EXPECT_EQ(device.Lines({"KeepImage", "RestoreImage", "DrawSubset"}).size(), 0u) << "a won level shows no scene";
}

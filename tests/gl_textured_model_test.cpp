#include <filesystem>

#include "GlTestDevice.h"
#include "ImageFiles.h"
#include "platform/ImageFile.h"

namespace {

namespace fs = std::filesystem;

fs::path TestFolder() {
    const fs::path dir = fs::temp_directory_path() / ("tracklet_tex_" + std::to_string(getpid()));
    fs::create_directories(dir / "textures");
    return dir;
}

TEST(ImageFile, DecodesTopRowFirstAndAcceptsBackslashPaths) {
    const fs::path dir = TestFolder();
    ASSERT_TRUE(WriteBmp((dir / "textures" / "q.bmp").string(), 8, Quadrants()));
    RgbaImage image;
    // Model files write Windows-style relative paths.
    ASSERT_TRUE(DecodeImageFile(dir.string() + "\\textures\\q.bmp", &image));
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.height, 8);
    const auto px = [&](int x, int y) { return &image.pixels[(static_cast<size_t>(y) * 8 + x) * 4]; };
    EXPECT_EQ(px(0, 0)[0], 255);  // red, top left
    EXPECT_EQ(px(0, 0)[2], 0);
    EXPECT_EQ(px(7, 0)[1], 255);  // green, top right
    EXPECT_EQ(px(0, 7)[2], 255);  // blue, bottom left
    EXPECT_EQ(px(0, 7)[0], 0);
    EXPECT_EQ(px(7, 7)[3], 255);  // opaque

    EXPECT_FALSE(DecodeImageFile((dir / "missing.png").string(), &image));
    EXPECT_EQ(image.width, 0);
    std::ofstream((dir / "junk.png").string()) << "not an image";
    EXPECT_FALSE(DecodeImageFile((dir / "junk.png").string(), &image));
    EXPECT_EQ(NativePath("a\\b\\c.x"), "a/b/c.x");
    fs::remove_all(dir);
}

class GlTextureTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        if (IsSkipped()) return;
        dir_ = TestFolder();
        ASSERT_TRUE(WriteBmp((dir_ / "textures" / "q.bmp").string(), 8, Quadrants()));
    }
    void TearDown() override {
        if (!dir_.empty()) fs::remove_all(dir_);
        GlDeviceTest::TearDown();
    }
    fs::path dir_;
};

TEST_F(GlTextureTest, TexturedFaceModulatesTexelsByTheLitColour) {
    Texture* texture = nullptr;
    ASSERT_EQ(device_->CreateTextureFromFile(dir_.string() + "\\textures\\q.bmp", &texture), kOk);
    ASSERT_NE(texture, nullptr);
    StandardScene();
    MeshData mesh;
    AddSquare(&mesh, 0, 0, 0, 4);
    CloseSubset(&mesh, SolidMaterial(1, 1, 1));
    device_->SetTexture(0, texture);
    device_->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
    device_->SetTextureStageState(0, TextureStageStateType::ColorArg1, kTaTexture);
    device_->SetTextureStageState(0, TextureStageStateType::ColorArg2, kTaDiffuse);
    device_->SetTextureStageState(0, TextureStageStateType::AlphaOp, kTopDisable);
    DrawMesh(mesh);
    ReadBack();
    // Texture coordinate (0, 0) is the image's top-left texel and sits at the square's (-x, -y)
    // corner, which this camera shows bottom left.
    EXPECT_TRUE(Near(At(60, 75), Rgb{255, 0, 0}, 12)) << At(60, 75);
    EXPECT_TRUE(Near(At(100, 75), Rgb{0, 255, 0}, 12)) << At(100, 75);
    EXPECT_TRUE(Near(At(60, 45), Rgb{0, 0, 255}, 12)) << At(60, 45);
    EXPECT_TRUE(Near(At(100, 45), Rgb{255, 255, 255}, 12)) << At(100, 45);

    // Half the diffuse colour halves the texels under modulate; select-texture ignores it.
    StandardScene();
    mesh.materials[0].material = SolidMaterial(0.5f, 0.5f, 0.5f);
    DrawMesh(mesh);
    ReadBack();
    EXPECT_TRUE(Near(At(100, 45), Rgb{128, 128, 128}, 12)) << At(100, 45);
    StandardScene();
    device_->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopSelectArg1);
    DrawMesh(mesh);
    ReadBack();
    EXPECT_TRUE(Near(At(100, 45), Rgb{255, 255, 255}, 12)) << At(100, 45);

    // Without a texture only the material colour shows.
    StandardScene();
    device_->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
    device_->SetTexture(0, nullptr);
    DrawMesh(mesh);
    ReadBack();
    EXPECT_TRUE(Near(At(60, 75), Rgb{128, 128, 128}, 12)) << At(60, 75);
    delete texture;
}

TEST_F(GlTextureTest, AFileThatDoesNotDecodeGivesNoTexture) {
    Texture* texture = reinterpret_cast<Texture*>(0x1);
    EXPECT_TRUE(Failed(device_->CreateTextureFromFile((dir_ / "nothing.png").string(), &texture)));
    EXPECT_EQ(texture, nullptr);
    std::ofstream((dir_ / "junk.bmp").string()) << "BM but not really";
    texture = reinterpret_cast<Texture*>(0x1);
    EXPECT_TRUE(Failed(device_->CreateTextureFromFile((dir_ / "junk.bmp").string(), &texture)));
    EXPECT_EQ(texture, nullptr);
}

// A menu screen: a textured square on the floor seen from the menu camera, which hangs above the
// origin looking down -z with the screen's up along world -y.
TEST_F(GlTextureTest, MenuScreenSeenFromAboveIsNeitherMirroredNorFlipped) {
    Texture* texture = nullptr;
    ASSERT_EQ(device_->CreateTextureFromFile((dir_ / "textures" / "q.bmp").string(), &texture), kOk);
    StandardScene();
    device_->SetTransform(TransformType::View,
                          ViewFromAxes(Vec3(1, 0, 0), Vec3(0, -1, 0), Vec3(0, 0, -1), Vec3(0, 0, 66)));
    Light light{};
    light.type = LightType::Directional;
    light.diffuse = Color4(1, 1, 1, 1);
    light.specular = Color4(0.7f, 0.7f, 0.7f, 1);
    light.ambient = Color4(0.5f, 0.5f, 0.5f, 1);
    light.direction = Vec3(0, 0, -1);
    device_->SetLight(0, light);
    device_->SetRenderState(RenderStateType::SpecularEnable, 1);
    MeshData screen;
    AddSquare(&screen, 0, 0, 0, 30, false);  // faces +z, towards the camera
    CloseSubset(&screen, SolidMaterial(1, 1, 1));
    device_->SetTexture(0, texture);
    DrawMesh(screen);
    ReadBack();
    // The image's top-left quadrant at the screen's top left, and so on round.
    EXPECT_TRUE(Near(At(55, 35), Rgb{255, 0, 0}, 12)) << At(55, 35);
    EXPECT_TRUE(Near(At(105, 35), Rgb{0, 255, 0}, 12)) << At(105, 35);
    EXPECT_TRUE(Near(At(55, 85), Rgb{0, 0, 255}, 12)) << At(55, 85);
    EXPECT_TRUE(Near(At(105, 85), Rgb{255, 255, 255}, 12)) << At(105, 85);
    delete texture;
}

}  // namespace

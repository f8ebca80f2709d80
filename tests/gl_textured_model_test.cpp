#include <fstream>
#include <iterator>

#include "GlTestDevice.h"
#include "ImageFiles.h"
#include "TempDir.h"
#include "platform/ImageFile.h"
#include "platform/ImageWrite.h"

namespace {

TEST(ImageFile, DecodesTopRowFirstAndAcceptsBackslashPaths) {
    TempDir dir;
    ASSERT_TRUE(WriteBmp(dir.Write("textures/q.bmp", ""), 8, Quadrants()));
    RgbaImage image;
    // Model files write Windows-style relative paths.
    ASSERT_TRUE(DecodeImageFile(dir.Path().string() + "\\textures\\q.bmp", &image));
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.height, 8);
    const auto px = [&](int x, int y) { return &image.pixels[(static_cast<size_t>(y) * 8 + x) * 4]; };
    EXPECT_EQ(px(0, 0)[0], 255);  // red, top left
    EXPECT_EQ(px(0, 0)[2], 0);
    EXPECT_EQ(px(7, 0)[1], 255);  // green, top right
    EXPECT_EQ(px(0, 7)[2], 255);  // blue, bottom left
    EXPECT_EQ(px(0, 7)[0], 0);
    EXPECT_EQ(px(7, 7)[3], 255);  // opaque

    EXPECT_FALSE(DecodeImageFile((dir.Path() / "missing.png").string(), &image));
    EXPECT_EQ(image.width, 0);
    EXPECT_FALSE(DecodeImageFile(dir.Write("junk.png", "not an image"), &image));

    // The size is taken from the header before decoding: an 18-byte header that claims
    // 16384 x 16384 pixels is refused at once, and so is any side over the limit.
    const auto tga = [&](int w, int h, size_t pixelBytes) {
        std::string file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, char(w & 0xFF), char(w >> 8), char(h & 0xFF), char(h >> 8), 24, 0};
        return dir.Write("big.tga", file + std::string(pixelBytes, '\x40'));
    };
    std::string reason;
    EXPECT_FALSE(DecodeImageFile(tga(16384, 16384, 0), &image, kMaxImageSide, &reason));
    EXPECT_NE(reason.find("16384 x 16384 pixels"), std::string::npos) << reason;
    EXPECT_FALSE(DecodeImageFile(tga(4097, 1, 4097 * 3), &image));
    EXPECT_FALSE(DecodeImageFile(tga(8, 8, 8 * 8 * 3), &image, 4));
    EXPECT_TRUE(DecodeImageFile(tga(4096, 1, 4096 * 3), &image));
}

class GlTextureTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(WriteBmp(dir_.Write("textures/q.bmp", ""), 8, Quadrants()));
    }
    // The quadrant image as a texture on stage 0, modulated by the lit colour.
    Texture* UseTexture(const std::string& path) {
        Texture* texture = nullptr;
        EXPECT_EQ(device_->CreateTextureFromFile(path, &texture), kOk);
        device_->SetTexture(0, texture);
        device_->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
        device_->SetTextureStageState(0, TextureStageStateType::ColorArg1, kTaTexture);
        device_->SetTextureStageState(0, TextureStageStateType::ColorArg2, kTaDiffuse);
        device_->SetTextureStageState(0, TextureStageStateType::AlphaOp, kTopDisable);
        return texture;
    }
    // Red, green, blue and white quadrants at the four points, in that order.
    void ExpectQuadrants(int left, int right, int redRow, int blueRow) {
        EXPECT_TRUE(Near(At(left, redRow), Rgb{255, 0, 0}, 12)) << At(left, redRow);
        EXPECT_TRUE(Near(At(right, redRow), Rgb{0, 255, 0}, 12)) << At(right, redRow);
        EXPECT_TRUE(Near(At(left, blueRow), Rgb{0, 0, 255}, 12)) << At(left, blueRow);
        EXPECT_TRUE(Near(At(right, blueRow), Rgb{255, 255, 255}, 12)) << At(right, blueRow);
    }
    TempDir dir_;
};

TEST_F(GlTextureTest, TexturedFaceModulatesTexelsByTheLitColour) {
    StandardScene();
    std::unique_ptr<Texture> texture(UseTexture(dir_.Path().string() + "\\textures\\q.bmp"));
    ASSERT_NE(texture, nullptr);
    MeshData mesh = Square(0, 0, 0, 4, SolidMaterial(1, 1, 1));
    Render(mesh);
    // Texture coordinate (0, 0) is the image's top-left texel and sits at the square's (-x, -y)
    // corner, which this camera shows bottom left.
    ExpectQuadrants(60, 100, 75, 45);

    // Half the diffuse colour halves the texels under modulate; select-texture ignores it.
    StandardScene();
    mesh.materials[0].material = SolidMaterial(0.5f, 0.5f, 0.5f);
    Render(mesh);
    EXPECT_TRUE(Near(At(100, 45), Rgb{128, 128, 128}, 12)) << At(100, 45);
    StandardScene();
    device_->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopSelectArg1);
    Render(mesh);
    EXPECT_TRUE(Near(At(100, 45), Rgb{255, 255, 255}, 12)) << At(100, 45);

    // Without a texture only the material colour shows.
    StandardScene();
    device_->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
    device_->SetTexture(0, nullptr);
    Render(mesh);
    EXPECT_TRUE(Near(At(60, 75), Rgb{128, 128, 128}, 12)) << At(60, 75);
}

TEST_F(GlTextureTest, AFileThatDoesNotDecodeGivesNoTexture) {
    for (const std::string& path : {(dir_.Path() / "nothing.png").string(), dir_.Write("junk.bmp", "BM but not really")}) {
        Texture* texture = reinterpret_cast<Texture*>(0x1);
        EXPECT_TRUE(Failed(device_->CreateTextureFromFile(path, &texture))) << path;
        EXPECT_EQ(texture, nullptr);
    }
}

TEST_F(GlTextureTest, PixelsThatOnlyFailWhenFirstDrawnDrawAsNoTexture) {
    // Every chunk whole, the compressed pixels garbled: the file passes the checks made when the
    // texture is made, and its pixels are decoded only when it is first drawn with.
    const std::string path = (dir_.Path() / "garbled.png").string();
    std::vector<uint8_t> red(16 * 16 * 3, 0);
    for (size_t i = 0; i < red.size(); i += 3) red[i] = 255;  // drawn, it would tint the face red
    ASSERT_TRUE(WritePng(path, 16, 16, 3, red));
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t data = bytes.find("IDAT") + 4;
    bytes.replace(data, 2, "\xFF\xFF");  // no longer a zlib stream
    dir_.Write("garbled.png", bytes);
    StandardScene();
    std::unique_ptr<Texture> texture(UseTexture(path));
    ASSERT_NE(texture, nullptr);
    Render(Square(0, 0, 0, 4, SolidMaterial(0.5f, 0.5f, 0.5f)));
    EXPECT_TRUE(Near(At(60, 75), Rgb{128, 128, 128}, 12)) << At(60, 75);
}

// A menu screen: a textured square on the floor seen from the menu camera, which hangs above the
// origin looking down -z with the screen's up along world -y, lit from above with specular on.
TEST_F(GlTextureTest, MenuScreenSeenFromAboveIsNeitherMirroredNorFlipped) {
    StandardScene();
    std::unique_ptr<Texture> texture(UseTexture((dir_.Path() / "textures" / "q.bmp").string()));
    device_->SetTransform(TransformType::View,
                          ViewFromAxes(Vec3(1, 0, 0), Vec3(0, -1, 0), Vec3(0, 0, -1), Vec3(0, 0, 66)));
    device_->SetLight(0, WhiteLight(Vec3(0, 0, -1), 0.5f));
    device_->SetRenderState(RenderStateType::SpecularEnable, 1);
    Render(Square(0, 0, 0, 30, SolidMaterial(1, 1, 1), false));  // faces +z, towards the camera
    // The image's top-left quadrant at the screen's top left, and so on round.
    ExpectQuadrants(55, 105, 35, 85);
}

}  // namespace

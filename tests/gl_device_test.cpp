// Pixel tests of the GL render device: what the game asks of the fixed-function pipeline
// (lighting, depth, culling, textures, lines and text) is what lands in the frame.
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>

#include "GlTestDevice.h"
#include "ImageFiles.h"
#include "TempDir.h"
#include "platform/ImageFile.h"
#include "platform/ImageWrite.h"
#include "platform/MipLevel.h"
#include "platform/gl/GlFont.h"

namespace {

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGrey{128, 128, 128};

// One frame each of the standard scene (camera at z = -10 looking along +z, the light shining
// along +z): a change to the scene, a mesh, and the colour expected at one pixel.
TEST_F(GlDeviceTest, LightingDepthAndCullingFollowTheFixedFunctionPipeline) {
    const auto white = SolidMaterial(1, 1, 1);
    const auto world = [this](std::function<Matrix4*(Matrix4*)> make) {
        return [this, make] {
            Matrix4 m;
            device_->SetTransform(TransformType::World, *make(&m));
        };
    };
    const auto turnY = [&](float a) { return world([a](Matrix4* m) { return MatrixRotationAxis(m, Vec3(0, 1, 0), a); }); };
    const auto state = [this](RenderStateType s, uint32_t v) { return [this, s, v] { device_->SetRenderState(s, v); }; };
    Material ambientOnly = SolidMaterial(0, 0, 0);
    ambientOnly.ambient = Color4(1, 1, 1, 1);
    // Specular is computed per vertex with the half vector towards the eye: every corner sees the
    // same highlight, so the whole face shows the corners' value (per pixel it would peak in the
    // middle). From each corner (±5, ±5, 0) the eye lies at an angle a off the normal, with
    // cos a = 10 / √150 = 0.8165, and the light shines straight along it: the half vector lies a / 2
    // off the normal, cos(a / 2) = √((1 + cos a) / 2) = 0.9530, and 0.9530^20 × 0.7 × 255 = 68.
    Material shiny = SolidMaterial(0, 0, 0);
    shiny.specular = Color4(0, 0, 1, 1);
    shiny.power = 20.0f;
    const Rgb highlight{0, 0, 68};
    // A red square at z = 0 and, drawn after it, a larger green one behind it at z = 5.
    MeshData redOnGreen = Square(0, 0, 0, 1, SolidMaterial(1, 0, 0));
    AddSquare(&redOnGreen, 0, 0, 5, 4);
    CloseSubset(&redOnGreen, SolidMaterial(0, 1, 0));
    // Normals tilted 30 degrees towards +x.
    MeshData tilted = Square(0, 0, 0, 1, white);
    for (MeshVertex& v : tilted.vertices) v.normal = Vec3(0.5f, 0.0f, -0.8660254f);
    MeshData bothWindings;
    AddSquare(&bothWindings, -2.5f, 0, 0, 2, true);
    AddSquare(&bothWindings, 2.5f, 0, 0, 2, false);
    CloseSubset(&bothWindings, white);
    // Squares at depth z, about the same size on screen.
    const auto at = [&](float z) { return Square(0, 0, z, 2.0f * (z + 10.0f), white); };

    const struct {
        const char* what;
        MeshData mesh;
        std::function<void()> change;
        int x, y;
        Rgb expected;
    } cases[] = {
        {"diffuse, square to the light", Square(0, 0, 0, 2, SolidMaterial(0.8f, 0.4f, 0.2f)), nullptr, 80, 60, {204, 102, 51}},
        {"clear colour around the face", Square(0, 0, 0, 2, white), nullptr, 5, 5, kBlack},
        {"turned 60 degrees: half the light", Square(0, 0, 0, 2, white), turnY(3.14159265f / 3), 80, 60, kGrey},
        {"global ambient on a white ambient", Square(0, 0, 0, 2, ambientOnly), state(RenderStateType::Ambient, 0xFF404040), 80, 60, {64, 64, 64}},
        {"specular at the centre", Square(0, 0, 0, 5, shiny), state(RenderStateType::SpecularEnable, 1), 80, 60, highlight},
        {"specular towards a corner", Square(0, 0, 0, 5, shiny), state(RenderStateType::SpecularEnable, 1), 60, 45, highlight},
        {"specular off", Square(0, 0, 0, 5, shiny), nullptr, 80, 60, kBlack},
        {"lighting off: white", Square(0, 0, 0, 2, SolidMaterial(0.1f, 0.1f, 0.1f)), state(RenderStateType::Lighting, 0), 80, 60, kWhite},
        {"depth test: the nearer face", redOnGreen, nullptr, 80, 60, {255, 0, 0}},
        {"no depth test: the later face", redOnGreen, state(RenderStateType::ZEnable, 0), 80, 60, {0, 255, 0}},
        {"the farther face around it", redOnGreen, nullptr, 80, 40, {0, 255, 0}},
        {"nearer than the near plane", at(-9.6f), nullptr, 80, 60, kBlack},
        {"just beyond the near plane", at(-9.4f), nullptr, 80, 60, kWhite},
        {"just before the far plane", at(985.0f), nullptr, 80, 60, kWhite},
        {"beyond the far plane", at(995.0f), nullptr, 80, 60, kBlack},
        {"normals turned square to the light", tilted, turnY(0.5235988f), 80, 60, kWhite},
        {"normals turned 60 degrees away", tilted, turnY(-0.5235988f), 80, 60, kGrey},
        // As with the fixed-function default, normals are not renormalised after the transform.
        {"stretched along the normal: half", Square(0, 0, 0, 2, white),
         world([](Matrix4* m) { return MatrixScaling(m, 1, 1, 2); }), 80, 60, kGrey},
        {"clockwise face drawn", bothWindings, nullptr, 50, 60, kWhite},
        {"counter-clockwise face culled", bothWindings, nullptr, 110, 60, kBlack},
    };
    for (const auto& c : cases) {
        StandardScene();
        if (c.change) c.change();
        Render(c.mesh);
        EXPECT_TRUE(Near(At(c.x, c.y), c.expected)) << c.what << ": " << At(c.x, c.y) << " expected " << c.expected;
    }

    // One subset drawn many times: the upload happens once and only that range is drawn; a
    // material without faces still counts, and a subset past the end draws nothing.
    StandardScene();
    MeshData mesh = Square(-3, 0, 0, 1, SolidMaterial(1, 0, 0));
    CloseSubset(&mesh, SolidMaterial(0, 1, 0));
    AddSquare(&mesh, 3, 0, 0, 1);
    CloseSubset(&mesh, SolidMaterial(0, 0, 1));
    device_->SetMaterial(mesh.materials[2].material);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(device_->DrawSubset(mesh, 2), kOk);
    EXPECT_EQ(device_->DrawSubset(mesh, 1), kOk);
    EXPECT_EQ(device_->DrawSubset(mesh, 7), kOk);
    ReadBack();
    EXPECT_EQ(Brightness(48, 60), 0);
    EXPECT_TRUE(Near(At(112, 60), Rgb{0, 0, 255})) << At(112, 60);
}

TEST(ImageFile, DecodesTopRowFirstAndChecksTheSizeBeforeDecoding) {
    TempDir dir;
    ASSERT_TRUE(WriteBmp(dir.Write("textures/q.bmp", ""), 8, Quadrants()));
    RgbaImage image;
    // Model files write Windows-style relative paths.
    ASSERT_TRUE(DecodeImageFile(dir.Path().string() + "\\textures\\q.bmp", &image));
    ASSERT_TRUE(image.width == 8 && image.height == 8);
    const auto px = [&](int x, int y) {
        const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * 8 + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    };
    EXPECT_TRUE(Near(px(0, 0), Rgb{255, 0, 0}, 0) && Near(px(7, 0), Rgb{0, 255, 0}, 0) && Near(px(0, 7), Rgb{0, 0, 255}, 0));
    EXPECT_EQ(image.pixels[(7 * 8 + 7) * 4 + 3], 255);  // opaque
    EXPECT_FALSE(DecodeImageFile((dir.Path() / "missing.png").string(), &image));
    EXPECT_EQ(image.width, 0);
    EXPECT_FALSE(DecodeImageFile(dir.Write("junk.png", "not an image"), &image));

    // An 18-byte header that claims 16384 x 16384 pixels is refused at once, and so is any side
    // over the limit.
    const auto tga = [&](int w, int h, size_t pixelBytes) {
        std::string file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, char(w & 0xFF), char(w >> 8), char(h & 0xFF), char(h >> 8), 24, 0};
        return dir.Write("big.tga", file + std::string(pixelBytes, '\x40'));
    };
    std::string reason;
    EXPECT_FALSE(DecodeImageFile(tga(16384, 16384, 0), &image, kMaxImageSide, &reason));
    EXPECT_NE(reason.find("16384 x 16384 pixels"), std::string::npos) << reason;
    for (auto [w, h] : {std::pair{4097, 1}, {1, 4097}}) EXPECT_FALSE(DecodeImageFile(tga(w, h, 4097 * 3), &image)) << w;
    EXPECT_FALSE(DecodeImageFile(tga(8, 8, 8 * 8 * 3), &image, 4));
    EXPECT_TRUE(DecodeImageFile(tga(4096, 1, 4096 * 3), &image));
    EXPECT_FALSE(DecodeImageFile(tga(100000, 100000, 0), &image, 1 << 20, &reason) || reason.find("too many") == std::string::npos) << reason;

    // Headers that give no pixels are refused when the file is read, not when first drawn: a
    // BMP's signed width below zero or a side of zero.
    const auto bmp = [&](int w, int h) {
        WriteBmp(dir.Write("side.bmp", ""), 5, std::vector<TestTexel>(15));
        std::fstream(dir.Path() / "side.bmp").seekp(18).write(reinterpret_cast<const char*>(&w), 4).write(reinterpret_cast<const char*>(&h), 4);
        return (dir.Path() / "side.bmp").string();
    };
    EncodedImage encoded;
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{-5, 3}, {0, 3}, {5, 0}, {-5, -3}})
        EXPECT_FALSE(ReadImageFile(bmp(w, h), &encoded, kMaxImageSide, &reason) || !encoded.bytes.empty()) << w << " x " << h;
    EXPECT_TRUE(ReadImageFile(bmp(5, -3), &encoded, kMaxImageSide, &reason) && encoded.height == 3) << reason;  // top-down rows
}

// The quadrant image (red, green / blue, white) on a white square, modulated by the lit colour.
// Each level pixel samples the point its centre covers, blending pairs with rounding: the GL's own
// levels, so a picture looks the same whichever builds them. Grey pixels, one value a pixel.
TEST(MipLevel, HalvesEvenOddAndSinglePixelSides) {
    struct Case { int w, h; std::vector<int> from, to; };
    for (const Case& c : std::vector<Case>{{1, 1, {200}, {200}},
                                           {2, 2, {0, 7, 3, 10}, {6}},
                                           {3, 1, {10, 20, 90}, {20}},
                                           {5, 1, {0, 40, 80, 120, 160}, {30, 130}},
                                           {1, 4, {0, 255, 100, 100}, {128, 100}},
                                           {2, 3, {0, 0, 50, 70, 90, 90}, {60}}}) {
        std::vector<uint8_t> from, to(c.to.size() * 4);
        for (int v : c.from) from.insert(from.end(), 4, static_cast<uint8_t>(v));
        ASSERT_EQ(static_cast<size_t>(HalfSide(c.w) * HalfSide(c.h)), c.to.size());
        HalveRgba(c.w, c.h, from.data(), to.data());
        for (size_t i = 0; i < to.size(); ++i) EXPECT_EQ(to[i], c.to[i / 4]) << c.w << "x" << c.h << " byte " << i;
    }
}

TEST_F(GlDeviceTest, TexturesModulateTheLitColourAndShowTheRightWayRound) {
    TempDir dir;
    ASSERT_TRUE(WriteBmp(dir.Write("textures/q.bmp", ""), 8, Quadrants()));
    const auto useTexture = [&](Texture* texture, uint32_t op) {
        device_->SetTexture(0, texture);
        device_->SetTextureStageState(0, TextureStageStateType::ColorOp, op);
        device_->SetTextureStageState(0, TextureStageStateType::ColorArg1, kTaTexture);
        device_->SetTextureStageState(0, TextureStageStateType::ColorArg2, kTaDiffuse);
        device_->SetTextureStageState(0, TextureStageStateType::AlphaOp, kTopDisable);
    };
    // Red, green, blue and white at the four points, in that order.
    const auto expectQuadrants = [&](int left, int right, int redRow, int blueRow) {
        const std::pair<int, int> points[] = {{left, redRow}, {right, redRow}, {left, blueRow}, {right, blueRow}};
        const Rgb colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, kWhite};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(Near(At(points[i].first, points[i].second), colours[i], 12)) << i << At(points[i].first, points[i].second);
    };
    Texture* raw = nullptr;
    ASSERT_EQ(device_->CreateTextureFromFile(dir.Path().string() + "\\textures\\q.bmp", &raw), kOk);
    std::unique_ptr<Texture> texture(raw);
    const MeshData full = Square(0, 0, 0, 4, SolidMaterial(1, 1, 1)), half = Square(0, 0, 0, 4, SolidMaterial(0.5f, 0.5f, 0.5f));
    // A red PNG whose chunks are whole but whose compressed pixels are garbled passes the checks
    // made when the texture is made; its pixels fail only when first drawn with, and it draws as
    // no texture. One cut before its closing chunk is refused at once.
    const std::string png = (dir.Path() / "red.png").string();
    std::vector<uint8_t> red(16 * 16 * 3, 0);
    for (size_t i = 0; i < red.size(); i += 3) red[i] = 255;
    ASSERT_TRUE(WritePng(png, 16, 16, 3, red));
    std::ifstream in(png, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = dir.Write("cut.png", bytes.substr(0, bytes.size() - 12));
    bytes.replace(bytes.find("IDAT") + 4, 2, "\xFF\xFF");  // no longer a zlib stream
    ASSERT_EQ(device_->CreateTextureFromFile(dir.Write("garbled.png", bytes), &raw), kOk);
    std::unique_ptr<Texture> garbled(raw);

    // Texture coordinate (0, 0) is the image's top-left texel, at the square's (-x, -y) corner,
    // which this camera shows bottom left.
    StandardScene();
    useTexture(texture.get(), kTopModulate);
    Render(full);
    expectQuadrants(60, 100, 75, 45);
    // Half the diffuse colour halves the texels; select-texture ignores it; no texture: material.
    const struct {
        Texture* texture;
        uint32_t op;
        Rgb expected;
    } cases[] = {{texture.get(), kTopModulate, kGrey}, {texture.get(), kTopSelectArg1, kWhite}, {nullptr, kTopModulate, kGrey},
                 {garbled.get(), kTopModulate, kGrey}};
    for (const auto& c : cases) {
        StandardScene();
        useTexture(c.texture, c.op);
        Render(half);
        EXPECT_TRUE(Near(At(100, 45), c.expected, 12)) << c.op << At(100, 45);
    }

    // A menu screen: a square facing +z seen from the menu camera above the origin looking down
    // -z with the screen's up along world -y, lit from above with specular on: neither mirrored
    // nor flipped.
    StandardScene();
    useTexture(texture.get(), kTopModulate);
    device_->SetTransform(TransformType::View, ViewFromAxes(Vec3(1, 0, 0), Vec3(0, -1, 0), Vec3(0, 0, -1), Vec3(0, 0, 66)));
    device_->SetLight(0, WhiteLight(Vec3(0, 0, -1), 0.5f));
    device_->SetRenderState(RenderStateType::SpecularEnable, 1);
    Render(Square(0, 0, 0, 30, SolidMaterial(1, 1, 1), false));
    expectQuadrants(55, 105, 35, 85);

    for (const std::string& path : {(dir.Path() / "nothing.png").string(), dir.Write("junk.bmp", "BM but not really"), cut}) {
        Texture* none = reinterpret_cast<Texture*>(0x1);
        EXPECT_TRUE(Failed(device_->CreateTextureFromFile(path, &none))) << path;
        EXPECT_EQ(none, nullptr);
    }
}

// Lines from an XYZ vertex buffer, as the floor grid draws them: vertical ones at x = -6, -3, 0,
// 3, 6 and horizontal ones at y = -3 and 3, in the plane z = 0.
TEST_F(GlDeviceTest, LinesGetOnlyEmissiveAndAmbientLightAndBadStreamsAreRefused) {
    std::vector<Vec3> points;
    for (float x : {-6.0f, -3.0f, 0.0f, 3.0f, 6.0f}) points.insert(points.end(), {Vec3(x, -5, 0), Vec3(x, 5, 0)});
    for (float y : {-3.0f, 3.0f}) points.insert(points.end(), {Vec3(-7, y, 0), Vec3(7, y, 0)});
    const uint32_t lines = static_cast<uint32_t>(points.size() / 2), bytes = static_cast<uint32_t>(points.size() * sizeof(Vec3));
    VertexBuffer* vb = nullptr;
    ASSERT_EQ(device_->CreateVertexBuffer(bytes, 0, kFvfXyz, kPoolManaged, &vb), kOk);
    std::unique_ptr<VertexBuffer> buffer(vb);
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(0, bytes, &data, 0), kOk);
    std::memcpy(data, points.data(), bytes);
    ASSERT_EQ(buffer->Unlock(), kOk);
    const auto draw = [&](const Material& material, uint32_t count) {
        device_->SetMaterial(material);
        device_->SetStreamSource(0, buffer.get(), 0, 12);
        device_->SetFVF(kFvfXyz);
        return device_->DrawPrimitive(PrimitiveType::LineList, 0, count);
    };

    // Black lines on white whatever the diffuse colour, since lines without normals catch no
    // diffuse light; x = 3 at distance 10 lands 31 columns right of the centre.
    for (const Material& m : {SolidMaterial(0, 0, 0), SolidMaterial(1, 1, 1)}) {
        StandardScene();
        device_->Clear(kClearTarget, 0xFFFFFFFF, 1.0f, 0);
        ASSERT_EQ(draw(m, lines), kOk);
        ReadBack();
        for (int x : {80 - 62, 80 - 31, 80, 80 + 31, 80 + 62}) {
            int darkest = 765;  // a one-pixel line between two columns covers half of each
            for (int dx = -2; dx <= 2; ++dx) darkest = std::min(darkest, Brightness(x + dx, 60));
            EXPECT_LE(darkest, 3 * 130) << "column " << x;
        }
        EXPECT_TRUE(Near(At(95, 60), kWhite)) << At(95, 60);
    }
    // An emissive material colours them; the line at y = +3 lies 0.52 of the half height up.
    StandardScene();
    Material glowing = SolidMaterial(0, 0, 0);
    glowing.emissive = Color4(1, 0, 0, 1);
    ASSERT_EQ(draw(glowing, lines), kOk);
    ReadBack();
    int red = 0, reddest = 0;
    for (int x = 77; x <= 83; ++x) red += At(x, 50).r;
    for (int y = 0; y < kHeight; ++y)
        if (At(40, y).r > At(40, reddest).r) reddest = y;
    EXPECT_GE(red, 250) << At(80, 50);  // a full line's worth, however it falls on the pixels
    EXPECT_EQ(At(80, 50).g, 0);
    EXPECT_NEAR(reddest, 60 - 31, 2);

    EXPECT_EQ(buffer->Lock(0, 1 << 20, &data, 0), kErrInvalidCall);
    ASSERT_EQ(buffer->Lock(12, 0, &data, kLockReadOnly), kOk);  // size 0: to the end
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), kErrInvalidCall);    // already locked
    EXPECT_EQ(buffer->Unlock(), kOk);
    EXPECT_EQ(buffer->Unlock(), kErrInvalidCall);
    EXPECT_EQ(draw(glowing, lines + 1), kErrInvalidCall);
    device_->SetStreamSource(0, nullptr, 0, 12);
    EXPECT_EQ(device_->DrawPrimitive(PrimitiveType::LineList, 0, 1), kErrInvalidCall);
}

// The game's font ("Times New Roman", 25 high, 12 wide): text starts at its rectangle's top left
// in its colour, is not clipped by the rectangle and breaks at line feeds. (The game always draws
// whole strings, so a count is not tested.)
TEST_F(GlDeviceTest, TextStartsAtTheTopLeftAndBreaksAtLineFeeds) {
    FontDesc desc{};
    desc.height = 25, desc.width = 12, desc.weight = 500, desc.charSet = 1;
    std::strcpy(desc.faceName, "Times New Roman");
    Font* raw = nullptr;
    ASSERT_EQ(device_->CreateFont(desc, &raw), kOk);
    std::unique_ptr<Font> font(raw);
    const auto ink = [this](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Brightness(x, y) < 3 * 128;
        return n;
    };
    const auto frame = [&](std::function<void()> draw) {
        StandardScene();
        device_->Clear(kClearTarget, 0xFFFFFFFF, 1.0f, 0);
        draw();
        ReadBack();
    };
    frame([&] {
        EXPECT_EQ(font->DrawText("fps: 0", -1, Rect{0, 0, 500, 100}, kTextNoClip, 0xFF000000), 25);
        EXPECT_EQ(font->DrawText("Score: 150", -1, Rect{90, 60, 100, 100}, kTextNoClip, 0xFFFF0000), 25);
    });
    EXPECT_GT(ink(0, 0, 70, 25), 20);
    EXPECT_EQ(ink(70, 0, kWidth, 60), 0);
    EXPECT_GT(ink(90, 60, 100, 85), 0);
    EXPECT_GT(ink(100, 60, kWidth, 85), 20);  // past the rectangle's right edge at 100
    EXPECT_EQ(ink(0, 85, kWidth, kHeight), 0);
    int reddish = 0;
    for (int y = 60; y < 85; ++y)
        for (int x = 90; x < kWidth; ++x) reddish += At(x, y).r > 200 && At(x, y).g < 60;
    EXPECT_GT(reddish, 20);

    frame([&] { EXPECT_GE(font->DrawText("Click Vector: \n45 12 0\n", -1, Rect{0, 40, 100, 80}, kTextNoClip, 0xFF000000), 50); });
    EXPECT_EQ(ink(0, 0, kWidth, 40), 0);
    EXPECT_GT(ink(0, 40, 100, 65), 20);
    EXPECT_GT(ink(0, 66, 60, 91), 20);
    EXPECT_EQ(ink(90, 66, kWidth, 91), 0);  // the second line is short
}

}  // namespace

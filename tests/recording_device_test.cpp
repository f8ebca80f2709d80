#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "math/MathFunctions.h"
#include "platform/RecordingDevice.h"
#include "TestFiles.h"

namespace {

// A 2x1 24-bit BMP, written byte by byte.
std::string TinyBmp() {
    const unsigned char bytes[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,              // file header
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,  // info header
        8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,    //
        0, 0, 255, 0, 255, 0, 0, 0,                                    // red, green, row padding
    };
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace

TEST(RecordingDevice, FloatsAreWrittenSoTheyReadBackExactly) {
    EXPECT_EQ(FormatFloat(1.0f), "1");
    EXPECT_EQ(FormatFloat(-0.5f), "-0.5");
    for (float value : {0.1f, 1.0f / 3.0f, 3.14159274f, 1e-30f, 123456.789f}) {
        EXPECT_EQ(std::strtof(FormatFloat(value).c_str(), nullptr), value) << FormatFloat(value);
    }
    EXPECT_NE(FormatFloat(0.1f), FormatFloat(std::nextafter(0.1f, 1.0f)));
}

TEST(RecordingDevice, KeepsCallsInOrderWithCanonicalArguments) {
    RecordingDevice device;
    Matrix4 move;
    MatrixTranslation(&move, 0.0f, 0.0f, 0.1f);
    device.Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFFFFFFFF, 1.0f, 0);
    device.SetRenderState(RenderStateType::Ambient, 0xFF000000);
    device.SetRenderState(RenderStateType::ZEnable, kZbTrue);
    device.SetTransform(TransformType::World, move);
    device.SetTexture(0, nullptr);
    device.SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
    device.LightEnable(0, true);
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{
                                  "Clear(7, 0xffffffff, 1, 0)",
                                  "SetRenderState(Ambient, 0xff000000)",
                                  "SetRenderState(ZEnable, 1)",
                                  "SetTransform(World, [1 0 0 0 0 1 0 0 0 0 1 0 0 0 0.1 1])",
                                  "SetTexture(0, null)",
                                  "SetTextureStageState(0, ColorOp, 4)",
                                  "LightEnable(0, 1)",
                              }));
    EXPECT_EQ(device.Calls()[3].matrix, move);
}

TEST(RecordingDevice, TransformsAndViewportReadBackWhatWasSet) {
    RecordingDevice device(640, 480);
    Matrix4 m, identity;
    Identity(&identity);
    ASSERT_EQ(device.GetTransform(TransformType::View, &m), kOk);
    EXPECT_EQ(m, identity);
    Matrix4 projection;
    MatrixPerspectiveFovLH(&projection, 0.785f, 4.0f / 3.0f, 1.0f, 1000.0f);
    device.SetTransform(TransformType::Projection, projection);
    ASSERT_EQ(device.GetTransform(TransformType::Projection, &m), kOk);
    EXPECT_EQ(m, projection);

    Viewport v{};
    ASSERT_EQ(device.GetViewport(&v), kOk);
    EXPECT_EQ(v.width, 640u);
    EXPECT_EQ(v.height, 480u);
    EXPECT_EQ(v.maxZ, 1.0f);
}

TEST(RecordingDevice, InjectedFailuresReturnTheCodeForTheChosenNumberOfCalls) {
    RecordingDevice device;
    device.FailCall("Present", kErrDeviceLost, 2);
    EXPECT_EQ(device.Present(), kErrDeviceLost);
    EXPECT_EQ(device.Present(), kErrDeviceLost);
    EXPECT_EQ(device.Present(), kOk);
    EXPECT_EQ(device.Clear(kClearTarget, 0, 1.0f, 0), kOk);

    device.FailCall("Clear", kErrDriverInternalError);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(device.Clear(kClearTarget, 0, 1.0f, 0), kErrDriverInternalError);
    EXPECT_EQ(device.CallsNamed("Clear").back().result, kErrDriverInternalError);
    device.ClearFailures();
    EXPECT_EQ(device.Clear(kClearTarget, 0, 1.0f, 0), kOk);

    VertexBuffer* buffer = reinterpret_cast<VertexBuffer*>(&device);  // must be overwritten
    device.FailCall("CreateVertexBuffer", kErrOutOfVideoMemory, 1);
    EXPECT_EQ(device.CreateVertexBuffer(12, 0, kFvfXyz, kPoolManaged, &buffer), kErrOutOfVideoMemory);
    EXPECT_EQ(buffer, nullptr);
}

TEST(RecordingDevice, VertexBuffersHoldRealBoundedMemory) {
    RecordingDevice device;
    VertexBuffer* raw = nullptr;
    ASSERT_EQ(device.CreateVertexBuffer(24, 0, kFvfXyz, kPoolManaged, &raw), kOk);
    std::unique_ptr<VertexBuffer> buffer(raw);

    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(12, 0, &data, 0), kOk);  // size 0: the rest of the buffer
    void* again = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &again, 0), kErrInvalidCall);  // already locked
    const float xyz[3] = {1.5f, -2.0f, 3.0f};
    std::memcpy(data, xyz, sizeof xyz);
    ASSERT_EQ(buffer->Unlock(), kOk);
    EXPECT_EQ(buffer->Unlock(), kErrInvalidCall);
    EXPECT_EQ(dynamic_cast<RecordingVertexBuffer&>(*buffer).Floats(),
              (std::vector<float>{0, 0, 0, 1.5f, -2.0f, 3.0f}));

    EXPECT_EQ(buffer->Lock(12, 16, &data, 0), kErrInvalidCall);  // past the end
    EXPECT_EQ(buffer->Lock(25, 0, &data, 0), kErrInvalidCall);

    VertexBuffer* huge = nullptr;
    EXPECT_EQ(device.CreateVertexBuffer(UINT32_MAX, 0, kFvfXyz, kPoolManaged, &huge), kErrOutOfVideoMemory);
    EXPECT_EQ(huge, nullptr);
}

TEST(RecordingDevice, BuffersAndFontsStillRecordAfterTheDeviceIsGone) {
    std::unique_ptr<VertexBuffer> buffer;
    std::unique_ptr<Font> font;
    {
        RecordingDevice device;
        VertexBuffer* rawBuffer = nullptr;
        Font* rawFont = nullptr;
        ASSERT_EQ(device.CreateVertexBuffer(12, 0, kFvfXyz, kPoolManaged, &rawBuffer), kOk);
        ASSERT_EQ(device.CreateFont(FontDesc{20, 0, 400, 1, false, 0, "Times New Roman"}, &rawFont), kOk);
        buffer.reset(rawBuffer);
        font.reset(rawFont);
    }
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), kOk);
    EXPECT_EQ(buffer->Unlock(), kOk);
    EXPECT_EQ(font->DrawText("fps: 60", -1, Rect{0, 0, 100, 20}, kTextNoClip, 0xFF000000), 20);
}

TEST(RecordingDevice, FontRecordsTheTextAsDrawn) {
    RecordingDevice device;
    Font* raw = nullptr;
    ASSERT_EQ(device.CreateFont(FontDesc{20, 0, 400, 1, false, 0, "Times New Roman"}, &raw), kOk);
    std::unique_ptr<Font> font(raw);
    EXPECT_EQ(font->DrawText("Score: 50\nsecond", -1, Rect{10, 20, 300, 40}, kTextNoClip, 0xFF000000), 40);
    EXPECT_GT(font->DrawText("PAUSED and more", 6, Rect{0, 0, 0, 0}, kTextNoClip, 0xFF000000), 0);
    device.FailCall("DrawText", kFail, 1);
    EXPECT_EQ(font->DrawText("x", -1, Rect{0, 0, 0, 0}, 0, 0), 0);
    EXPECT_EQ(device.Lines({"CreateFont", "DrawText"}),
              (std::vector<std::string>{
                  "CreateFont(20, 0, 400, 1, 0, 0, \"Times New Roman\")",
                  "DrawText(\"Score: 50\\nsecond\", -1, (10 20 300 40), 0x00000100, 0xff000000)",
                  "DrawText(\"PAUSED\", 6, (0 0 0 0), 0x00000100, 0xff000000)",
                  "DrawText(\"x\", -1, (0 0 0 0), 0x00000000, 0x00000000)",
              }));
    EXPECT_EQ(device.CallsNamed("DrawText")[0].text, "Score: 50\nsecond");
}

TEST(RecordingDevice, MeshesAreLabelledByNameOrFirstSighting) {
    RecordingDevice device;
    MeshData a, b, c;
    device.NameMesh(&c, "train");
    device.DrawSubset(b, 0);
    device.DrawSubset(a, 2);
    device.DrawSubset(b, 1);
    device.DrawSubset(c, 0);
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"DrawSubset(mesh1, 0)", "DrawSubset(mesh2, 2)",
                                                       "DrawSubset(mesh1, 1)", "DrawSubset(train, 0)"}));
    EXPECT_EQ(device.Calls()[1].mesh, &a);
}

TEST(RecordingDevice, TexturesLoadOnlyFromReadableImages) {
    TempDir dir;
    const std::string good = dir.Write("textures/red.bmp", TinyBmp());
    const std::string garbage = dir.Write("textures/bad.bmp", "BM this is not an image");
    const std::string truncated = dir.Write("textures/cut.bmp", TinyBmp().substr(0, 40));
    RecordingDevice device;

    Texture* texture = nullptr;
    ASSERT_EQ(device.CreateTextureFromFile(good, &texture), kOk);
    std::unique_ptr<Texture> owned(texture);
    auto* recorded = dynamic_cast<RecordingTexture*>(texture);
    ASSERT_NE(recorded, nullptr);
    EXPECT_EQ(recorded->width, 2);
    EXPECT_EQ(recorded->height, 1);
    device.SetTexture(0, texture);
    EXPECT_EQ(device.Lines({"SetTexture"}), std::vector<std::string>{"SetTexture(0, \"" + good + "\")"});

    for (const std::string& path : {garbage, truncated, dir / "textures/missing.png", dir.path.string()}) {
        Texture* failed = reinterpret_cast<Texture*>(&device);  // must be overwritten
        EXPECT_TRUE(Failed(device.CreateTextureFromFile(path, &failed))) << path;
        EXPECT_EQ(failed, nullptr) << path;
    }
}

#include <cstring>

#include "GlTestDevice.h"

namespace {

// Lines from an XYZ vertex buffer, as the floor grid draws them: vertical lines at x = -6, -3,
// 0, 3, 6 and horizontal ones at y = -3 and 3, in the plane z = 0 before the camera.
class GlLinesTest : public GlDeviceTest {
protected:
    void BuildLines() {
        std::vector<Vec3> points;
        for (float x : {-6.0f, -3.0f, 0.0f, 3.0f, 6.0f}) {
            points.push_back(Vec3(x, -5, 0));
            points.push_back(Vec3(x, 5, 0));
        }
        for (float y : {-3.0f, 3.0f}) {
            points.push_back(Vec3(-7, y, 0));
            points.push_back(Vec3(7, y, 0));
        }
        lineCount_ = static_cast<uint32_t>(points.size() / 2);
        const uint32_t bytes = static_cast<uint32_t>(points.size() * sizeof(Vec3));
        VertexBuffer* vb = nullptr;
        ASSERT_EQ(device_->CreateVertexBuffer(bytes, 0, kFvfXyz, kPoolManaged, &vb), kOk);
        buffer_.reset(vb);
        void* data = nullptr;
        ASSERT_EQ(buffer_->Lock(0, bytes, &data, 0), kOk);
        std::memcpy(data, points.data(), bytes);
        ASSERT_EQ(buffer_->Unlock(), kOk);
    }

    void DrawLines(const Material& material) {
        device_->SetMaterial(material);
        ASSERT_EQ(device_->SetStreamSource(0, buffer_.get(), 0, 12), kOk);
        ASSERT_EQ(device_->SetFVF(kFvfXyz), kOk);
        ASSERT_EQ(device_->DrawPrimitive(PrimitiveType::LineList, 0, lineCount_), kOk);
    }

    // The darkest pixel within two pixels of (x, y) along the row.
    Rgb DarkestNear(int x, int y) const {
        Rgb best = At(x, y);
        for (int dx = -2; dx <= 2; ++dx)
            if (Brightness(x + dx, y) < best.r + best.g + best.b) best = At(x + dx, y);
        return best;
    }

    std::unique_ptr<VertexBuffer> buffer_;
    uint32_t lineCount_ = 0;
};

TEST_F(GlLinesTest, LinesWithoutNormalsGetOnlyEmissiveAndAmbientLight) {
    BuildLines();
    // x = 3 at distance 10 projects 0.39 of the half width right of the centre: column 111.
    const int columns[] = {80 - 62, 80 - 31, 80, 80 + 31, 80 + 62};

    // The grid material (all black) on white: black lines; a white diffuse changes nothing,
    // since lines without normals catch no diffuse light.
    for (const Material& m : {SolidMaterial(0, 0, 0), SolidMaterial(1, 1, 1)}) {
        StandardScene();
        device_->Clear(kClearTarget, 0xFFFFFFFF, 1.0f, 0);
        DrawLines(m);
        ReadBack();
        // A one-pixel line between two pixel columns covers half of each sample pair.
        for (int x : columns) EXPECT_LE(DarkestNear(x, 60).r, 130) << "column " << x << DarkestNear(x, 60);
        // Between the lines the clear colour stays.
        EXPECT_TRUE(Near(At(95, 60), Rgb{255, 255, 255})) << At(95, 60);
    }

    // An emissive material colours them.
    StandardScene();
    Material glowing = SolidMaterial(0, 0, 0);
    glowing.emissive = Color4(1, 0, 0, 1);
    DrawLines(glowing);
    ReadBack();
    int red = 0;
    for (int x = 77; x <= 83; ++x) red += At(x, 50).r;
    EXPECT_GE(red, 250) << At(80, 50);  // a full line's worth, however it falls on the pixels
    EXPECT_EQ(At(80, 50).g, 0);
    // The horizontal line at y = +3 is above the centre: 0.52 of the half height.
    int reddest = 0;
    for (int y = 0; y < kHeight; ++y)
        if (At(40, y).r > At(40, reddest).r) reddest = y;
    EXPECT_NEAR(reddest, 60 - 31, 2);
}

TEST_F(GlLinesTest, BadStreamsAndLocksAreRefused) {
    BuildLines();
    StandardScene();
    void* data = nullptr;
    EXPECT_EQ(buffer_->Lock(0, 1 << 20, &data, 0), kErrInvalidCall);
    ASSERT_EQ(buffer_->Lock(12, 0, &data, kLockReadOnly), kOk);  // size 0: to the end
    EXPECT_EQ(buffer_->Lock(0, 0, &data, 0), kErrInvalidCall);    // already locked
    EXPECT_EQ(buffer_->Unlock(), kOk);
    EXPECT_EQ(buffer_->Unlock(), kErrInvalidCall);
    device_->SetStreamSource(0, buffer_.get(), 0, 12);
    device_->SetFVF(kFvfXyz);
    // More lines than the buffer holds.
    EXPECT_EQ(device_->DrawPrimitive(PrimitiveType::LineList, 0, lineCount_ + 1), kErrInvalidCall);
    device_->SetStreamSource(0, nullptr, 0, 12);
    EXPECT_EQ(device_->DrawPrimitive(PrimitiveType::LineList, 0, 1), kErrInvalidCall);
}

}  // namespace

#include <cstring>

#include "GlTestDevice.h"
#include "platform/gl/GlFont.h"

namespace {

class GlTextTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        if (IsSkipped()) return;
        // The game's font: "Times New Roman", 25 high, 12 wide, weight 500.
        FontDesc desc{};
        desc.height = 25;
        desc.width = 12;
        desc.weight = 500;
        desc.charSet = 1;
        std::strcpy(desc.faceName, "Times New Roman");
        Font* font = nullptr;
        ASSERT_EQ(device_->CreateFont(desc, &font), kOk);
        font_.reset(font);
        StandardScene();
        device_->Clear(kClearTarget, 0xFFFFFFFF, 1.0f, 0);
    }

    // Inked (dark) pixels inside [x0, x1) x [y0, y1).
    int Ink(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (Brightness(x, y) < 3 * 128) ++n;
        return n;
    }

    std::unique_ptr<Font> font_;
};

TEST_F(GlTextTest, TextStartsAtTheRectanglesTopLeftCornerInItsColour) {
    EXPECT_EQ(font_->DrawText("fps: 0", -1, Rect{0, 0, 500, 100}, kTextNoClip, 0xFF000000), 25);
    EXPECT_EQ(font_->DrawText("Score: 150", -1, Rect{90, 60, 100, 100}, kTextNoClip, 0xFFFF0000), 25);
    ReadBack();
    EXPECT_GT(Ink(0, 0, 70, 25), 20);
    EXPECT_EQ(Ink(70, 0, kWidth, 60), 0);
    // The second text: from (90, 60), red, and not clipped by its rectangle's right edge at 100.
    EXPECT_GT(Ink(90, 60, 100, 85), 0);
    EXPECT_GT(Ink(100, 60, kWidth, 85), 20);
    EXPECT_EQ(Ink(0, 85, kWidth, kHeight), 0);
    int reddish = 0;
    for (int y = 60; y < 85; ++y)
        for (int x = 90; x < kWidth; ++x)
            if (At(x, y).r > 200 && At(x, y).g < 60) ++reddish;
    EXPECT_GT(reddish, 20);
}

TEST_F(GlTextTest, LineFeedsStartNewLinesAndCountLimitsTheText) {
    // The click-vector block: a label line and a coordinates line.
    const int height = font_->DrawText("Click Vector: \n45 12 0\n", -1, Rect{0, 40, 100, 80}, kTextNoClip, 0xFF000000);
    EXPECT_GE(height, 50);
    ReadBack();
    EXPECT_EQ(Ink(0, 0, kWidth, 40), 0);
    EXPECT_GT(Ink(0, 40, 100, 65), 20);
    EXPECT_GT(Ink(0, 66, 60, 91), 20);
    // The second line is short: nothing right of "45 12 0".
    EXPECT_EQ(Ink(90, 66, kWidth, 91), 0);

    StandardScene();
    device_->Clear(kClearTarget, 0xFFFFFFFF, 1.0f, 0);
    font_->DrawText("PAUSED and more", 1, Rect{0, 0, 300, 100}, kTextNoClip, 0xFF000000);
    ReadBack();
    EXPECT_GT(Ink(0, 0, 20, 25), 10);
    EXPECT_EQ(Ink(25, 0, kWidth, kHeight), 0);
}

}  // namespace

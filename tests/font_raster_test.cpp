#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FontRaster.h"

namespace {

// Leftmost and rightmost inked columns and topmost and bottommost inked rows of a rectangle of
// an image; returns false when nothing is inked there.
bool InkBounds(const CoverageImage& img, int x0, int y0, int x1, int y1, int* left, int* top, int* right, int* bottom) {
    *left = x1, *top = y1, *right = -1, *bottom = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (img.At(x, y) > 127) {
                *left = std::min(*left, x), *right = std::max(*right, x);
                *top = std::min(*top, y), *bottom = std::max(*bottom, y);
            }
    return *right >= 0;
}

TEST(FontRaster, LinesAreAsHighAsAskedAndLineFeedsStartAtTheLeft) {
    auto font = FontRaster::Open("Times New Roman", 25);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->LineHeight(), 25);
    EXPECT_GE(font->LineSkip(), 25);

    const CoverageImage one = font->Render("H");
    EXPECT_EQ(one.height, 25);
    const CoverageImage two = font->Render("H\nH");
    EXPECT_EQ(two.height, font->LineSkip() + 25);
    EXPECT_EQ(two.width, one.width);

    // Both lines carry an H at the same x; the second sits exactly one line skip lower.
    int l1, t1, r1, b1, l2, t2, r2, b2;
    ASSERT_TRUE(InkBounds(two, 0, 0, two.width, font->LineSkip(), &l1, &t1, &r1, &b1));
    ASSERT_TRUE(InkBounds(two, 0, font->LineSkip(), two.width, two.height, &l2, &t2, &r2, &b2));
    EXPECT_EQ(l1, l2);
    EXPECT_EQ(r1, r2);
    EXPECT_EQ(t2 - t1, font->LineSkip());
    // Capitals stand on the baseline, well inside the cell.
    EXPECT_GT(t1, 0);
    EXPECT_LT(b1, 25);

    // A width widens the letters to that average advance and leaves the lines as high as before.
    const int naturalH = font->Glyph('H').advance;
    for (int width : {12, 8}) {
        ASSERT_TRUE(font->SetAverageWidth(width));
        double sum = 0;
        for (uint32_t c = 'a'; c <= 'z'; ++c) sum += font->Glyph(c).advance;
        EXPECT_NEAR(sum / 26, width, 0.25);
        EXPECT_EQ(font->Glyph('H').advance > naturalH, width == 12);
        EXPECT_EQ(font->Render("H\nH").height, font->LineSkip() + 25);
    }
    // A long line stays one line: no wrapping.
    EXPECT_EQ(font->Render(std::string(200, 'm')).height, 25);
    EXPECT_TRUE(font->Render("").width == 0 && font->Render("").height == 0);
}

TEST(FontRaster, GlyphsReachingLeftOfThePenAreKeptWhole) {
    auto font = FontRaster::Open("Times New Roman", 25);
    ASSERT_NE(font, nullptr);
    // In a serif face the tail of j hangs left of its origin; the layout must not cut it off.
    const GlyphImage& j = font->Glyph('j');
    const CoverageImage img = font->Render("ij");
    int l, t, r, b;
    ASSERT_TRUE(InkBounds(img, 0, 0, img.width, img.height, &l, &t, &r, &b));
    int inkedColumnsOfJ = 0;
    for (int x = 0; x < j.image.width; ++x)
        for (int y = 0; y < j.image.height; ++y)
            if (j.image.At(x, y) > 127) { ++inkedColumnsOfJ; break; }
    int inkedColumnsAfterI = 0;
    const int iAdvance = font->Glyph('i').advance;
    for (int x = iAdvance + j.offsetX; x < std::min(img.width, iAdvance + j.offsetX + j.image.width); ++x)
        for (int y = 0; y < img.height; ++y)
            if (j.image.At(x - iAdvance - j.offsetX, y) > 127) { ++inkedColumnsAfterI; break; }
    EXPECT_EQ(inkedColumnsAfterI, inkedColumnsOfJ);
}

TEST(CodePoints, Utf8IsDecodedAndStrayBytesStandForThemselves) {
    struct Case { std::string text; std::vector<uint32_t> expected; };
    const Case cases[] = {
        {"A\n", {'A', '\n'}},
        {"\xC3\xA9t\xC3\xA9", {0xE9, 't', 0xE9}},          // "été" in UTF-8
        {"\xE9t\xE9", {0xE9, 't', 0xE9}},                  // the same in Latin-1
        {"\xE2\x82\xAC", {0x20AC}},                        // euro sign
        {"\xE2\x82", {0xE2, 0x82}},                        // truncated sequence
        {"\xE0\x80\x80", {0xE0, 0x80, 0x80}},              // overlong
        {"\xF0\x9F\x98\x80", {0x1F600}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> got;
        size_t pos = 0;
        while (pos < c.text.size()) got.push_back(NextCodePoint(c.text, &pos));
        EXPECT_EQ(got, c.expected) << c.text;
    }
}

}  // namespace

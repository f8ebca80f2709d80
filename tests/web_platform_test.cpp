// The browser build's replacements for desktop libraries, checked on the desktop against the
// libraries they stand in for: key codes against the game's keys, the vertex merge against
// meshoptimizer's, the stb_truetype face against the desktop's SDL_ttf rasteriser.
#include <gtest/gtest.h>
#include <meshoptimizer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "platform/DomKeys.h"
#include "platform/FontRaster.h"
#include "platform/Keyboard.h"
#include "platform/StbFontFace.h"
#include "platform/VertexRemap.h"

namespace {

TEST(DomKeys, TheGameKeysKeepTheirCodesAndOthersAreNone) {
    struct Case {
        uint32_t keyCode;  // the browser's KeyboardEvent.keyCode
        int vk;
    };
    const Case cases[] = {
        {27, kVkEscape}, {32, kVkSpace}, {19, kVkPause}, {35, kVkEnd}, {37, kVkLeft}, {38, kVkUp},
        {39, kVkRight},  {40, kVkDown},  {112, kVkF1},   {123, kVkF1 + 11}, {65, 'A'}, {90, 'Z'},
        {48, '0'},       {57, '9'},      {13, 0x0D},     {36, 0x24},
        // Keys the game has no code for: shift, the numeric pad, F13, a semicolon, nothing.
        {16, 0},         {96, 0},        {124, 0},       {186, 0},   {0, 0},   {97, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromDom(c.keyCode), c.vk) << "keyCode " << c.keyCode;
}

TEST(DomKeys, OnlyTheBrowsersOwnFunctionKeysGoToTheBrowser) {
    EXPECT_FALSE(BrowserKeepsKey(kVkF1));  // the game's introduction
    for (int vk : {kVkF1 + 4, kVkF1 + 10, kVkF1 + 11}) EXPECT_TRUE(BrowserKeepsKey(vk)) << vk;
    for (int vk : {kVkEscape, kVkSpace, kVkPause, kVkEnd, kVkLeft, int('C'), int('M')}) EXPECT_FALSE(BrowserKeepsKey(vk)) << vk;
}

struct Corner {
    float position[3];
    float u;
};

// meshoptimizer's remap applied to vertices and indices, as the desktop's mesh import does.
void MeshoptMerge(const std::vector<Corner>& corners, const std::vector<uint32_t>& indices, std::vector<Corner>* vertices,
                  std::vector<uint32_t>* merged) {
    std::vector<unsigned int> remap(corners.size());
    const size_t unique = meshopt_generateVertexRemap(remap.data(), indices.data(), indices.size(), corners.data(),
                                                      corners.size(), sizeof(Corner));
    vertices->resize(unique);
    meshopt_remapVertexBuffer(vertices->data(), corners.data(), corners.size(), sizeof(Corner), remap.data());
    merged->resize(indices.size());
    meshopt_remapIndexBuffer(merged->data(), indices.data(), indices.size(), remap.data());
}

TEST(VertexRemap, MergesAsMeshoptimizerDoes) {
    // Corners with repeats, one corner nothing uses, indices out of first-use order, and a
    // corner that differs from another only in its last byte.
    std::vector<Corner> corners = {
        {{0, 0, 0}, 0}, {{1, 0, 0}, 0}, {{0, 0, 0}, 0}, {{0, 1, 0}, 0.5f}, {{9, 9, 9}, 9}, {{1, 0, 0}, 0}, {{0, 1, 0}, 0.5f},
    };
    corners.push_back(corners[3]);
    corners.back().u = std::nextafter(0.5f, 1.0f);
    const std::vector<std::vector<uint32_t>> lists = {
        {0, 1, 3},
        {3, 5, 2, 6, 1, 0},
        {7, 6, 5, 5, 2, 0},
        {2, 2, 2},
    };
    for (const auto& indices : lists) {
        std::vector<Corner> expectedVertices;
        std::vector<uint32_t> expectedIndices;
        MeshoptMerge(corners, indices, &expectedVertices, &expectedIndices);
        std::vector<uint8_t> vertices;
        std::vector<uint32_t> merged;
        MergeIdenticalVertices(corners.data(), corners.size(), sizeof(Corner), indices, &vertices, &merged);
        EXPECT_EQ(merged, expectedIndices) << "list of " << indices.size();
        ASSERT_EQ(vertices.size(), expectedVertices.size() * sizeof(Corner));
        EXPECT_EQ(std::memcmp(vertices.data(), expectedVertices.data(), vertices.size()), 0);
    }
}

TEST(VertexRemap, AnIndexPastTheVerticesBecomesTheFirst) {
    const float corners[2] = {1.0f, 2.0f};
    std::vector<uint8_t> vertices;
    std::vector<uint32_t> merged;
    MergeIdenticalVertices(corners, 2, sizeof(float), {1, 7, 0}, &vertices, &merged);
    EXPECT_EQ(merged, (std::vector<uint32_t>{0, 0, 1}));
    EXPECT_EQ(vertices.size(), 2 * sizeof(float));
}

// The desktop's rasteriser and the browser's, on the game's one face.
class StbAgainstDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        FontMatch match;
        if (!FindFont("Times New Roman", false, false, &match) || match.family != "Liberation Serif")
            GTEST_SKIP() << "Liberation Serif is not installed";
        file = match.file;
    }
    std::string file;
};

TEST_F(StbAgainstDesktop, LinesAndLettersTakeTheSameRoom) {
    // The game's text is 25 pixels high, 12 wide on average; the other heights are the sizes a
    // font description could name.
    for (int height : {12, 16, 25, 40}) {
        SCOPED_TRACE(height);
        auto desktop = FontRaster::Open("Times New Roman", height);
        ASSERT_NE(desktop, nullptr);
        StbFontFace stb;
        ASSERT_TRUE(stb.Open(file, height));
        EXPECT_EQ(stb.LineHeight(), desktop->LineHeight());
        // The desktop rounds the line skip from hinted metrics: a pixel either way.
        EXPECT_LE(std::abs(stb.LineSkip() - desktop->LineSkip()), 1);
        // Advances are hinted on the desktop: each may be a pixel off, a line of text hardly.
        const std::string text = "Lay the track in front of the train by shooting at the targets. 0123456789";
        int desktopWidth = 0, stbWidth = 0;
        for (char c : text) {
            const int a = desktop->Glyph(static_cast<uint8_t>(c)).advance, b = stb.Glyph(static_cast<uint8_t>(c)).advance;
            EXPECT_LE(std::abs(a - b), 1) << "'" << c << "'";
            desktopWidth += a;
            stbWidth += b;
        }
        EXPECT_LE(std::abs(desktopWidth - stbWidth), static_cast<int>(text.size()) / 10 + 1);
    }
}

TEST_F(StbAgainstDesktop, GlyphsHaveTheSameCellAndAboutTheSameInk) {
    auto desktop = FontRaster::Open("Times New Roman", 25);
    ASSERT_NE(desktop, nullptr);
    StbFontFace stb;
    ASSERT_TRUE(stb.Open(file, 25));
    const auto ink = [](const CoverageImage& image, int* top, int* bottom) {
        long sum = 0;
        *top = image.height, *bottom = -1;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                sum += image.At(x, y);
                if (image.At(x, y) > 127) *top = std::min(*top, y), *bottom = std::max(*bottom, y);
            }
        return sum;
    };
    for (char c : std::string("HTgjfy.Qx")) {
        SCOPED_TRACE(std::string(1, c));
        const GlyphImage& a = desktop->Glyph(static_cast<uint8_t>(c));
        const GlyphImage b = stb.Glyph(static_cast<uint8_t>(c));
        EXPECT_EQ(b.image.height, a.image.height);
        EXPECT_LE(std::abs(b.image.width - a.image.width), 2);
        EXPECT_EQ(b.offsetX, a.offsetX);
        int topA, bottomA, topB, bottomB;
        const long inkA = ink(a.image, &topA, &bottomA), inkB = ink(b.image, &topB, &bottomB);
        // Same baseline and height: capitals, ascenders and descenders within a pixel.
        EXPECT_LE(std::abs(topA - topB), 1);
        EXPECT_LE(std::abs(bottomA - bottomB), 1);
        EXPECT_NEAR(static_cast<double>(inkB) / inkA, 1.0, 0.15);
    }
}

TEST_F(StbAgainstDesktop, AWidthNarrowsOrWidensLikeTheDesktop) {
    for (int width : {8, 12}) {
        auto desktop = FontRaster::Open("Times New Roman", 25);
        ASSERT_NE(desktop, nullptr);
        ASSERT_TRUE(desktop->SetAverageWidth(width));
        StbFontFace stb;
        ASSERT_TRUE(stb.Open(file, 25));
        double best = 1e9;
        int bestDpi = 0;
        for (int dpi = 20; dpi < 200; ++dpi) {
            stb.SetHorizontalDpi(dpi);
            if (std::fabs(stb.MeanLowercaseAdvance() - width) < best) best = std::fabs(stb.MeanLowercaseAdvance() - width), bestDpi = dpi;
        }
        stb.SetHorizontalDpi(bestDpi);
        EXPECT_NEAR(stb.MeanLowercaseAdvance(), width, 0.25);
        double sum = 0;
        for (uint32_t c = 'a'; c <= 'z'; ++c) sum += desktop->Glyph(c).advance;
        EXPECT_NEAR(stb.MeanLowercaseAdvance(), sum / 26, 0.5);
        EXPECT_EQ(stb.LineHeight(), desktop->LineHeight());
    }
}

TEST(StbFontFace, RefusesWhatIsNoFont) {
    StbFontFace face;
    EXPECT_FALSE(face.Open("/nonexistent/font.ttf", 25));
    EXPECT_FALSE(face.Open(TRACKLET_SOURCE_DIR "/data/levels.txt", 25));
    EXPECT_FALSE(face.Open(TRACKLET_SOURCE_DIR "/data/levels.txt", 0));
}

}  // namespace

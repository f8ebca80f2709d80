#include "Textures.h"

#include <cmath>

#include "platform/FontRaster.h"

namespace {

// Grass with soft patches; the pattern wraps so neighbouring floor cells join seamlessly.
Image Grass() {
    Image img(256, 256, {0.56f, 0.74f, 0.40f});
    Random rng(11);
    img.Blotches(rng, 32, 0.10f);
    img.Blotches(rng, 8, 0.05f);
    img.Noise(rng, 0.035f, false);
    return img;
}

// Grey-brown gravel for the bed under the track.
Image Ballast() {
    Image img(128, 128, {0.62f, 0.58f, 0.52f});
    Random rng(23);
    for (int i = 0; i < 900; ++i) {
        const float x = rng.Unit() * 128, y = rng.Unit() * 128, r = 1.0f + rng.Unit() * 2.2f;
        const float shade = 0.45f + rng.Unit() * 0.4f;
        img.FillCircle(x, y, r, {shade, shade * 0.96f, shade * 0.9f});
    }
    img.Noise(rng, 0.04f);
    return img;
}

// Red bricks in running bond with light mortar.
Image Bricks() {
    Image img(128, 128, {0.78f, 0.76f, 0.72f});
    Random rng(37);
    const int bh = 16, bw = 32;
    for (int row = 0; row < 128 / bh; ++row) {
        const int offset = (row % 2) * bw / 2;
        for (int col = -1; col <= 128 / bw; ++col) {
            const float s = 0.85f + rng.Unit() * 0.3f;
            const int x0 = col * bw + offset;
            img.FillRect(x0 + 2, row * bh + 2, x0 + bw - 1, row * bh + bh - 1, {0.62f * s, 0.26f * s, 0.18f * s});
        }
    }
    img.Noise(rng, 0.04f);
    return img;
}

// Station wall: cream plaster with a row of tall windows and a door in the middle.
Image StationWall() {
    Image img(256, 128, {0.90f, 0.84f, 0.66f});
    Random rng(41);
    img.Blotches(rng, 16, 0.04f);
    for (int i = 0; i < 5; ++i) {
        const int x = 18 + i * 50;
        if (i == 2) {
            img.FillRect(x - 4, 40, x + 26, 128, {0.35f, 0.2f, 0.1f});
            img.FillRect(x, 44, x + 22, 128, {0.5f, 0.3f, 0.16f});
        } else {
            img.FillRect(x - 3, 32, x + 25, 100, {0.95f, 0.95f, 0.95f});
            img.FillRect(x, 35, x + 22, 97, {0.25f, 0.4f, 0.55f});
            img.FillRect(x + 10, 35, x + 12, 97, {0.95f, 0.95f, 0.95f});
            img.FillRect(x, 62, x + 22, 64, {0.95f, 0.95f, 0.95f});
        }
    }
    img.FillRect(0, 118, 256, 128, {0.55f, 0.5f, 0.45f});
    return img;
}

// Roof tiles in rows.
Image RoofTiles() {
    Image img(128, 128, {0.55f, 0.16f, 0.12f});
    Random rng(43);
    for (int row = 0; row < 8; ++row) {
        img.FillRect(0, row * 16 + 13, 128, row * 16 + 16, {0.35f, 0.1f, 0.08f});
        for (int col = 0; col < 8; ++col) {
            const int x = col * 16 + (row % 2) * 8;
            img.FillRect(x, row * 16, x + 1, row * 16 + 13, {0.4f, 0.12f, 0.09f});
        }
    }
    img.Noise(rng, 0.04f);
    return img;
}

// A coin face: metal with a raised rim and the value in the middle, in the game's typeface.
Image Coin(const char* value, Colour3 metal, Colour3 dark, Colour3 light) {
    Image img(256, 256, metal);
    Random rng(53);
    img.Blotches(rng, 32, 0.05f);
    img.FillRing(128, 128, 104, 122, dark);
    img.FillRing(128, 128, 96, 100, light);
    auto font = FontRaster::Open("Times New Roman", std::string(value).size() > 2 ? 120 : 150, true, false);
    if (font) {
        const CoverageImage text = font->Render(value);
        const int x = 128 - text.width / 2, y = 128 - text.height / 2;
        img.DrawCoverage(text.pixels, text.width, text.height, x + 3, y + 3, light);
        img.DrawCoverage(text.pixels, text.width, text.height, x, y, dark);
    }
    return img;
}

}  // namespace

std::vector<NamedImage> MakeTextures() {
    std::vector<NamedImage> out;
    out.push_back({"grass.png", Grass()});
    out.push_back({"ballast.png", Ballast()});
    out.push_back({"bricks.png", Bricks()});
    out.push_back({"stationwall.png", StationWall()});
    out.push_back({"roof.png", RoofTiles()});
    out.push_back({"coin50.png", Coin("50", {0.88f, 0.56f, 0.32f}, {0.35f, 0.16f, 0.05f}, {1.0f, 0.8f, 0.6f})});
    out.push_back({"coin100.png", Coin("100", {1.0f, 0.84f, 0.30f}, {0.42f, 0.26f, 0.0f}, {1.0f, 0.97f, 0.7f})});
    return out;
}

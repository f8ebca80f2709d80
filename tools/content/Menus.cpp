#include "Menus.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/FontRaster.h"

namespace {

// Texture pixels per world unit: a 1280 by 1024 screen shows about 13.4 pixels per unit.
constexpr float kPixelsPerUnit = 12.0f;
constexpr int kWidth = static_cast<int>((kMenuRight - kMenuLeft) * kPixelsPerUnit);
constexpr int kHeight = static_cast<int>((kMenuBottom - kMenuTop) * kPixelsPerUnit);
// The floor point under the middle of the screen, in texture pixels.
constexpr float kCentreX = (0.414f - kMenuLeft) * kPixelsPerUnit;
constexpr float kCentreY = (2.784f - kMenuTop) * kPixelsPerUnit;
// Everything that must be read stays inside the 5:4 view (95 by 76 units), with a margin.
constexpr float kSafeHalfWidth = 44.0f * kPixelsPerUnit;
constexpr float kSafeHalfHeight = 35.0f * kPixelsPerUnit;

// The track drawn along the foot of every screen, inside the safe area.
constexpr float kRailY = kCentreY + kSafeHalfHeight - 48;

const Colour3 kInk{0.98f, 0.95f, 0.85f};
const Colour3 kGold{1.0f, 0.80f, 0.30f};

// The text face the game uses; if it cannot be opened the screen keeps its artwork only.
std::unique_ptr<FontRaster> OpenFont(int pixels, bool bold = false) {
    auto font = FontRaster::Open("Times New Roman", pixels, bold, false);
    if (!font) std::fprintf(stderr, "tracklet-content: no font for the menu text\n");
    return font;
}

// Draws text with its top-left corner at (x, y), or centred on x when `centred`, with a soft shadow.
int Text(Image& img, FontRaster* font, const std::string& text, float x, float y, Colour3 colour, bool centred = false) {
    if (!font) return 0;
    const CoverageImage c = font->Render(text);
    const int left = static_cast<int>(centred ? x - c.width / 2.0f : x);
    const int top = static_cast<int>(y);
    const int shadow = std::max(2, font->LineHeight() / 18);
    img.DrawCoverage(c.pixels, c.width, c.height, left + shadow, top + shadow, {0.0f, 0.0f, 0.0f});
    img.DrawCoverage(c.pixels, c.width, c.height, left, top, colour);
    return c.height;
}

// Night-blue background, a band of track along the bottom of the safe area, a frame around it.
Image Backdrop(Colour3 top, Colour3 bottom) {
    Image img(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const float t = static_cast<float>(y) / (kHeight - 1);
        const Colour3 c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t};
        for (int x = 0; x < kWidth; ++x) img.At(x, y) = c;
    }
    // Frame on the safe area, and a track along its foot.
    const int x0 = static_cast<int>(kCentreX - kSafeHalfWidth), x1 = static_cast<int>(kCentreX + kSafeHalfWidth);
    const int y0 = static_cast<int>(kCentreY - kSafeHalfHeight), y1 = static_cast<int>(kCentreY + kSafeHalfHeight);
    const int railY = static_cast<int>(kRailY);
    for (int x = x0 + 14; x < x1 - 24; x += 36) img.FillRect(x, railY - 16, x + 16, railY + 16, {0.40f, 0.27f, 0.17f});
    img.FillRect(x0 + 4, railY - 12, x1 - 4, railY - 7, {0.75f, 0.77f, 0.8f});
    img.FillRect(x0 + 4, railY + 7, x1 - 4, railY + 12, {0.75f, 0.77f, 0.8f});
    const Colour3 frame{0.85f, 0.65f, 0.25f};
    img.FillRect(x0, y0, x1, y0 + 4, frame);
    img.FillRect(x0, y1 - 4, x1, y1, frame);
    img.FillRect(x0, y0, x0 + 4, y1, frame);
    img.FillRect(x1 - 4, y0, x1, y1, frame);
    return img;
}

// A little locomotive seen from the side, facing right, its wheels on `groundY`.
void Locomotive(Image& img, float x, float groundY, float s) {
    const Colour3 body{0.15f, 0.55f, 0.3f}, black{0.1f, 0.1f, 0.1f}, red{0.8f, 0.15f, 0.12f};
    img.FillRect(static_cast<int>(x), static_cast<int>(groundY - 70 * s), static_cast<int>(x + 50 * s),
                 static_cast<int>(groundY - 20 * s), red);
    img.FillRect(static_cast<int>(x - 4 * s), static_cast<int>(groundY - 76 * s), static_cast<int>(x + 56 * s),
                 static_cast<int>(groundY - 70 * s), black);
    img.FillRect(static_cast<int>(x + 50 * s), static_cast<int>(groundY - 52 * s), static_cast<int>(x + 130 * s),
                 static_cast<int>(groundY - 20 * s), body);
    img.FillRect(static_cast<int>(x + 105 * s), static_cast<int>(groundY - 72 * s), static_cast<int>(x + 117 * s),
                 static_cast<int>(groundY - 52 * s), black);
    img.FillRect(static_cast<int>(x), static_cast<int>(groundY - 22 * s), static_cast<int>(x + 135 * s),
                 static_cast<int>(groundY - 16 * s), black);
    for (float wx : {20.0f, 55.0f, 90.0f, 118.0f}) img.FillCircle(x + wx * s, groundY - 10 * s, 10 * s, red);
    // Smoke drifts back over the cab as the engine runs to the right.
    for (int i = 0; i < 4; ++i) img.FillCircle(x + (108 - i * 26) * s, groundY - (86 + i * 16) * s, (8 + i * 5) * s, {0.9f, 0.9f, 0.92f});
}

GenMesh Quad(const std::string& texture) {
    GenMesh m;
    GenMaterial screen;
    screen.r = screen.g = screen.b = 0.65f;  // lit from straight above this shows about 0.98 of the texture
    screen.texture = texture;
    const uint32_t mat = m.AddMaterial(screen);
    // Facing up, towards the camera; the image's top edge lies to the north (-y), which the menu
    // camera shows at the top of the screen, and its left edge to the west.
    m.FacingQuad(mat, {0, 0, 1}, {kMenuLeft, kMenuTop, 0}, {kMenuRight, kMenuTop, 0}, {kMenuRight, kMenuBottom, 0},
                 {kMenuLeft, kMenuBottom, 0});
    return m;
}

Image Title() {
    Image img = Backdrop({0.05f, 0.08f, 0.2f}, {0.12f, 0.25f, 0.35f});
    auto big = OpenFont(170, true), mid = OpenFont(44), keys = OpenFont(40);
    float y = kCentreY - kSafeHalfHeight + 40;
    y += Text(img, big.get(), "Tracklet", kCentreX, y, kGold, true);
    y += 10;
    y += Text(img, mid.get(), "Lay the track in front of the train by shooting at the targets.", kCentreX, y, kInk, true);
    y += 50;
    // Two columns, so the seven keys leave the locomotive's smoke clear; a pad's button stands
    // after the key it acts as.
    const char* left[] = {"Space or A:   play", "L or X:   choose a level", "O or RB:   settings", "F1 or Y:   introduction"};
    const char* right[] = {"M:   music on or off", "F11:   full screen", "Escape or Back:   quit"};
    const float top = y, offset = 0.45f * kSafeHalfWidth;
    for (const char* line : left) y += Text(img, keys.get(), line, kCentreX - offset, y, kInk, true) + 8;
    y = top;
    for (const char* line : right) y += Text(img, keys.get(), line, kCentreX + offset, y, kInk, true) + 8;
    Locomotive(img, kCentreX - kSafeHalfWidth + 80, kRailY - 12, 1.3f);
    return img;
}

// A swatch in a target's colour beside its line of the introduction.
void Swatch(Image& img, float x, float y, Colour3 c) { img.FillCircle(x, y, 13, c); }

Image Introduction() {
    Image img = Backdrop({0.05f, 0.08f, 0.2f}, {0.08f, 0.16f, 0.26f});
    auto head = OpenFont(64, true), body = OpenFont(29), sub = OpenFont(35, true);
    const float left = kCentreX - kSafeHalfWidth + 30, column = kCentreX + 40;
    float y = kCentreY - kSafeHalfHeight + 22;
    Text(img, head.get(), "How to play", kCentreX, y, kGold, true);
    y += 80;
    const float top = y;
    y += Text(img, sub.get(), "The goal", left, y, kGold) + 4;
    const char* goal =
        "The train runs on its own: you cannot steer it.\n"
        "Lay the track in front of it by shooting at the\n"
        "track builders. Aim with the mouse, click to fire;\n"
        "each shot flies from the train's tile.\n"
        "Reach the finish to win. The level is lost when\n"
        "the train runs off the track or the grid, or when\n"
        "a piece would be laid onto something in the way.\n"
        "Once the track reaches the finish, the train hurries.";
    y += Text(img, body.get(), goal, left, y, kInk) + 16;
    y += Text(img, sub.get(), "Targets", left, y, kGold) + 6;
    struct Row {
        Colour3 colour;
        const char* text;
    };
    const Row rows[] = {{{0.2f, 0.45f, 1.0f}, "Blue, curved arrow: lays a right curve"},
                        {{0.75f, 0.3f, 1.0f}, "Violet, curved arrow: lays a left curve"},
                        {{0.2f, 0.8f, 0.25f}, "Green, straight arrow: lays a straight piece"},
                        {{0.9f, 0.6f, 0.3f}, "Coins 50 and 100: points"},
                        {{1.0f, 0.15f, 0.1f}, "Red, lightning: the train speeds up. Avoid!"},
                        {{0.6f, 0.6f, 0.6f}, "Brick wall: stops your shots"}};
    for (const Row& r : rows) {
        Swatch(img, left + 14, y + 19, r.colour);
        y += Text(img, body.get(), r.text, left + 40, y, kInk) + 2;
    }
    y += Text(img, body.get(), "Stations stop shots as well.", left, y, kInk);

    y = top;
    y += Text(img, sub.get(), "Keys", column, y, kGold) + 4;
    const char* keysText =
        "Pause:  pause the game\n"
        "G:  floor grid on or off\n"
        "V:  pointer coordinates on or off\n"
        "C:  save the camera to camera.txt\n"
        "End:  skip to the next level\n"
        "M:  music on or off\n"
        "Escape:  back to the title\n";
    y += Text(img, body.get(), keysText, column, y, kInk) + 16;
    y += Text(img, sub.get(), "While paused, fly the camera", column, y, kGold) + 4;
    const char* flyText =
        "W, S:  forward, back\n"
        "A, D:  left, right\n"
        "R, F:  up, down\n"
        "Arrows:  tilt up and down, turn\n"
        "N, M:  roll";
    Text(img, body.get(), flyText, column, y, kInk);
    return img;
}

Image Banner(const char* title, Colour3 titleColour, const char* action, Colour3 top, Colour3 bottom, bool engine) {
    Image img = Backdrop(top, bottom);
    if (engine) Locomotive(img, kCentreX + kSafeHalfWidth - 300, kRailY - 12, 1.3f);
    auto big = OpenFont(130, true), keys = OpenFont(48);
    float y = kCentreY - 190;
    y += Text(img, big.get(), title, kCentreX, y, titleColour, true) + 50;
    y += Text(img, keys.get(), action, kCentreX, y, kInk, true) + 14;
    Text(img, keys.get(), "Escape:  title menu", kCentreX, y, kInk, true);
    return img;
}

}  // namespace

std::vector<MenuScreen> MakeMenus() {
    std::vector<MenuScreen> out;
    out.push_back({"menuIntro", "menuintro.png", Quad("menuintro.png"), Title()});
    out.push_back({"menuIntroduction", "menuintroduction.png", Quad("menuintroduction.png"), Introduction()});
    out.push_back({"menuComplete", "menucomplete.png", Quad("menucomplete.png"),
                   Banner("Level complete!", kGold, "Space:  next level", {0.05f, 0.2f, 0.1f}, {0.1f, 0.3f, 0.2f}, true)});
    out.push_back({"menuGameover", "menugameover.png", Quad("menugameover.png"),
                   Banner("Game over", {1.0f, 0.4f, 0.3f}, "Space:  try again", {0.25f, 0.05f, 0.05f}, {0.3f, 0.12f, 0.1f}, false)});
    return out;
}

Image MakeIcon() {
    constexpr int kSize = 256;
    Image img(kSize, kSize);
    const Colour3 top{0.05f, 0.08f, 0.2f}, bottom{0.12f, 0.25f, 0.35f};
    for (int y = 0; y < kSize; ++y) {
        const float t = static_cast<float>(y) / (kSize - 1);
        const Colour3 c{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t};
        for (int x = 0; x < kSize; ++x) img.At(x, y) = c;
    }
    const int railY = 212;
    for (int x = 10; x < kSize - 16; x += 26) img.FillRect(x, railY - 12, x + 12, railY + 12, {0.40f, 0.27f, 0.17f});
    img.FillRect(8, railY - 9, kSize - 8, railY - 5, {0.75f, 0.77f, 0.8f});
    img.FillRect(8, railY + 5, kSize - 8, railY + 9, {0.75f, 0.77f, 0.8f});
    const float scale = 1.15f;
    Locomotive(img, (kSize - 135 * scale) / 2, railY - 9, scale);
    const Colour3 frame{0.85f, 0.65f, 0.25f};
    img.FillRect(0, 0, kSize, 8, frame);
    img.FillRect(0, kSize - 8, kSize, kSize, frame);
    img.FillRect(0, 0, 8, kSize, frame);
    img.FillRect(kSize - 8, 0, kSize, kSize, frame);
    return img;
}

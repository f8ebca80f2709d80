#include "screens/ScreenLook.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/ScreenDrawing.h"
#include "graphics/TouchButtons.h"
#include "profile/ProfileSession.h"
#include "screens/InputPath.h"
#include "state/GameState.h"

namespace {

// The title screen's colours, 0xAARRGGBB.
constexpr uint32_t kSkyTop = 0xFF0D1530u;
constexpr uint32_t kSkyBottom = 0xFF1D4460u;
constexpr uint32_t kGold = 0xFFE8A33Cu;
constexpr uint32_t kTitleGold = 0xFFFFCC4Du;
constexpr uint32_t kCream = 0xFFFAF0DCu;
constexpr uint32_t kQuiet = 0xFFB8C4D6u;
constexpr uint32_t kWonGreen = 0xFF8FE39Au;
constexpr uint32_t kWarning = 0xFFFF9A7Au;
constexpr uint32_t kChosen = 0xFF3A6EA5u;
constexpr uint32_t kHovered = 0xFF284E76u;
constexpr int32_t kBands = 48;  // the background's gradient, drawn as horizontal bands

uint32_t Mix(uint32_t from, uint32_t to, float t) {
    uint32_t mixed = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const float a = static_cast<float>((from >> shift) & 0xFF), b = static_cast<float>((to >> shift) & 0xFF);
        mixed |= static_cast<uint32_t>(std::lround(a + (b - a) * t)) << shift;
    }
    return mixed;
}

uint32_t ColourOf(ScreenLook::Tone tone) {
    switch (tone) {
        case ScreenLook::Tone::Title: return kTitleGold;
        case ScreenLook::Tone::Text: return kCream;
        case ScreenLook::Tone::Quiet: return kQuiet;
        case ScreenLook::Tone::Won: return kWonGreen;
        case ScreenLook::Tone::Warning: return kWarning;
    }
    return kCream;
}

// Line heights at scale 1.
int32_t UnitsOf(ScreenLook::Size size) {
    switch (size) {
        case ScreenLook::Size::Title: return 52;
        case ScreenLook::Size::Text: return 28;
        case ScreenLook::Size::Small: return 22;
    }
    return 28;
}

void Outline(const Rect& r, int32_t thickness, uint32_t colour) {
    FillRect(Rect{r.left, r.top, r.right, r.top + thickness}, colour);
    FillRect(Rect{r.left, r.bottom - thickness, r.right, r.bottom}, colour);
    FillRect(Rect{r.left, r.top, r.left + thickness, r.bottom}, colour);
    FillRect(Rect{r.right - thickness, r.top, r.right, r.bottom}, colour);
}

}  // namespace

int32_t ScreenLook::Scaled(int32_t units) const {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(static_cast<float>(units) * scale_)));
}

void ScreenLook::Measure() {
    const Viewport whole = WholeScreen();
    width_ = static_cast<int32_t>(whole.width);
    height_ = static_cast<int32_t>(whole.height);
    scale_ = std::max(0.5f, std::min(static_cast<float>(width_) / 1024.0f, static_cast<float>(height_) / 768.0f));
    if (fontsDevice_ == g_device && fontsHeight_ == height_) return;
    fontsDevice_ = g_device;
    fontsHeight_ = height_;
    for (auto [font, size] : {std::pair{&title_, Size::Title}, {&text_, Size::Text}, {&small_, Size::Small}}) {
        font->reset();
        FontDesc desc{};
        desc.height = Scaled(UnitsOf(size)) * 9 / 10;
        desc.width = 0;
        desc.weight = size == Size::Title ? 700 : 500;
        desc.charSet = 1;
        std::strncpy(desc.faceName, "Times New Roman", sizeof(desc.faceName) - 1);
        Font* made = nullptr;
        if (g_device && !Failed(g_device->CreateFont(desc, &made))) font->reset(made);
    }
}

Font* ScreenLook::FontOf(Size size) const {
    Font* font = size == Size::Title ? title_.get() : size == Size::Text ? text_.get() : small_.get();
    return font ? font : g_font;
}

bool ScreenLook::BeginPage(const std::string& title, const std::string& keys) {
    RenderDevice* device = g_device;
    if (!device) return false;
    Measure();
    RestoreWholeScreen();
    device->Clear(kClearTarget | kClearZBuffer | kClearStencil, kSkyTop, 1.0f, 0);
    device->BeginScene();
    for (int32_t band = 0; band < kBands; ++band) {
        const int32_t top = height_ * band / kBands, bottom = height_ * (band + 1) / kBands;
        FillRect(Rect{0, top, width_, bottom}, Mix(kSkyTop, kSkyBottom, static_cast<float>(band) / (kBands - 1)));
    }
    const int32_t margin = Scaled(24);
    Outline(Rect{margin, margin, width_ - margin, height_ - margin}, Scaled(3), kGold);
    const int32_t left = margin + Scaled(28);
    Text(title, left, margin + Scaled(10), Tone::Title, Size::Title);
    Text(keys, left, margin + Scaled(10) + LineHeight(Size::Title) + Scaled(6), Tone::Quiet, Size::Small);
    return true;
}

void ScreenLook::EndPage() {
    if (!g_device) return;
    DrawTouchButtons();
    g_device->EndScene();
    g_device->Present();
}

Rect ScreenLook::Body() const {
    const int32_t margin = Scaled(24);
    const int32_t top = margin + Scaled(10) + LineHeight(Size::Title) + Scaled(6) + LineHeight(Size::Small) + Scaled(14);
    return Rect{margin + Scaled(12), top, width_ - margin - Scaled(12), height_ - margin - Scaled(12)};
}

int32_t ScreenLook::LineHeight(Size size) const { return Scaled(UnitsOf(size)); }

void ScreenLook::Text(const std::string& text, int32_t left, int32_t top, Tone tone, Size size, int32_t right) {
    if (text.empty()) return;
    if (right <= 0) right = width_ - Scaled(24) - Scaled(8);
    // A line too long for its room is drawn a size smaller rather than cut at the frame.
    for (Size tried : {size, Size::Small}) {
        Font* font = FontOf(tried);
        if (!font) return;
        if (left + font->TextWidth(text) <= right || tried == Size::Small) {
            font->DrawText(text.c_str(), -1, Rect{left, top, right, top + LineHeight(tried) * 2}, kTextNoClip,
                           ColourOf(tone));
            return;
        }
    }
}

int32_t ScreenLook::TextWidth(const std::string& text, Size size) const {
    Font* font = FontOf(size);
    return font ? font->TextWidth(text) : 0;
}

void ScreenLook::Mark(int32_t left, int32_t top, int32_t side, bool reached) {
    const Rect box{left, top, left + side, top + side};
    if (reached) FillRect(box, kGold);
    Outline(box, std::max<int32_t>(1, Scaled(2)), kGold);
}

void ScreenLook::MarkChosen(const Rect& rect) {
    FillRect(rect, kChosen);
    Outline(rect, Scaled(2), kGold);
}

void ScreenLook::MarkHovered(const Rect& rect) { FillRect(rect, kHovered); }

void ScreenLook::Overlay(const std::string& line, const std::string& corner) {
    Measure();
    // At the bottom, where the play picture's own texts (score, pause) never are.
    const int32_t top = height_ - LineHeight(Size::Text) - Scaled(12);
    FillRect(Rect{0, top - Scaled(2), width_, top}, kGold);
    FillRect(Rect{0, top, width_, height_}, kSkyTop);
    Text(line, Scaled(16), top + Scaled(6), Tone::Text, Size::Text, width_ - Scaled(140));
    Text(corner, width_ - Scaled(130), top + Scaled(8), Tone::Quiet, Size::Small, width_);
}

void ToggleMusicOnM(const InputPath& input) {
    if (input.Released(BoundKey(Action::Music))) g_musicOff = !g_musicOff;
}

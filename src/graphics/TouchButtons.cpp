#include "graphics/TouchButtons.h"

#include <algorithm>
#include <memory>

#include "graphics/GraphicsSetup.h"
#include "graphics/ScreenDrawing.h"
#include "platform/Keyboard.h"
#include "state/GameState.h"

namespace {

constexpr uint32_t kFace = 0xFF1B2A40u;
constexpr uint32_t kEdge = 0xFFE8A33Cu;
constexpr uint32_t kInk = 0xFFF0E8D0u;

std::vector<TouchButton>& Shown() {
    static std::vector<TouchButton> buttons;
    return buttons;
}

// The labels' typeface, made for the buttons' height on the device in use (the game's own font
// is one small size, unreadable on a phone's screen).
struct LabelFont {
    std::unique_ptr<Font> font;
    RenderDevice* device = nullptr;
    int32_t height = 0;
};
LabelFont& Label() {
    static LabelFont label;
    return label;
}

Font* LabelFontFor(int32_t buttonHeight) {
    LabelFont& label = Label();
    const int32_t height = std::max<int32_t>(12, buttonHeight * 2 / 5);
    if (label.device == g_device && label.height == height) return label.font ? label.font.get() : g_font;
    label.font.reset();
    label.device = g_device;
    label.height = height;
    FontDesc desc = GameFontDesc();
    desc.height = height;
    desc.width = 0;
    Font* made = nullptr;
    if (g_device && !Failed(g_device->CreateFont(desc, &made))) label.font.reset(made);
    return label.font ? label.font.get() : g_font;
}

}  // namespace

std::vector<TouchButton> LayTouchButtons(TouchButtonSet set, int32_t width, int32_t height) {
    std::vector<TouchButton> buttons;
    if (set == TouchButtonSet::None || width <= 0 || height <= 0) return buttons;
    // About a fingertip on a phone held sideways, never smaller than a mouse could hit.
    const int32_t tall = std::max<int32_t>(40, height / 9);
    const int32_t wide = tall * 2;
    const int32_t gap = std::max<int32_t>(6, tall / 6);
    int32_t right = width - gap;
    const auto add = [&](int key, const char* label) {
        buttons.push_back({Rect{right - wide, gap, right, gap + tall}, key, label});
        right -= wide + gap;
    };
    add(kVkEscape, "Back");
    if (set == TouchButtonSet::PauseAndBack) add(kVkPause, "Pause");
    return buttons;
}

void ShowTouchButtons(std::vector<TouchButton> buttons) { Shown() = std::move(buttons); }

void ForgetTouchButtons() {
    Shown().clear();
    Label() = LabelFont{};
}

int TouchButtonKeyAt(int32_t x, int32_t y) {
    for (const TouchButton& b : Shown())
        if (x >= b.rect.left && x < b.rect.right && y >= b.rect.top && y < b.rect.bottom) return b.key;
    return 0;
}

void DrawTouchButtons() {
    for (const TouchButton& b : Shown()) {
        const Rect r = b.rect;
        const int32_t edge = std::max<int32_t>(2, (r.bottom - r.top) / 16);
        FillRect(r, kEdge);
        FillRect(Rect{r.left + edge, r.top + edge, r.right - edge, r.bottom - edge}, kFace);
        Font* font = LabelFontFor(r.bottom - r.top);
        if (!font) continue;
        const int32_t textWidth = font->TextWidth(b.label);
        const int32_t left = (r.left + r.right - textWidth) / 2;
        const int32_t top = (r.top + r.bottom) / 2 - Label().height * 3 / 5;
        font->DrawText(b.label.c_str(), -1, Rect{left, top, left + textWidth + 2, r.bottom}, kTextNoClip, kInk);
    }
}

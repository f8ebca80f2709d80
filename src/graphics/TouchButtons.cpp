#include "graphics/TouchButtons.h"

#include <algorithm>

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
        const int32_t textWidth = g_font ? g_font->TextWidth(b.label) : 0;
        // The game's font is one size: the word is centred, about a line high.
        DrawScreenText(b.label, (r.left + r.right - textWidth) / 2, (r.top + r.bottom) / 2 - 10, kInk);
    }
}

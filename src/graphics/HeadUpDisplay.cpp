#include "graphics/HeadUpDisplay.h"

#include <sstream>
#include <string>

#include "platform/RenderTypes.h"
#include "state/GameState.h"

namespace {
constexpr uint32_t kTextBlack = 0xFF000000u;

std::string noticeText;
float noticeLeft = 0.0f;

void DrawHudText(const std::string& text, const Rect& rect) {
    // No font (its creation failed) means no text, as the drawing results are never checked.
    if (!g_font) return;
    g_font->DrawText(text.c_str(), -1, rect, kTextNoClip, kTextBlack);
}
}  // namespace

std::string VectorText(const char* label, const Vec3& v) {
    std::ostringstream out;
    out << label << ": \n";
    // Default (general) notation at precision 2: far coordinates such as 100 print as 1e+02.
    out.precision(2);
    out << v.x << " " << v.y << " " << v.z << "\n";
    return out.str();
}

// Both are drawn every frame and short enough to stay in the string itself: no allocation.
std::string ScoreText(int32_t score) { return "Score: " + std::to_string(score); }

std::string FpsText(int32_t fps) { return "fps: " + std::to_string(fps); }

void DrawVectorText(const char* label, const Vec3* v) {
    DrawHudText(VectorText(label, *v), Rect{0, 40, 100, 80});
}

void DrawScore() {
    if (!g_level) return;
    DrawHudText(ScoreText(g_level->score), Rect{500, 0, 100, 100});
}

void DrawFps(int32_t fps) { DrawHudText(FpsText(fps), Rect{0, 0, 500, 100}); }

void DrawPaused() { DrawHudText("PAUSED", Rect{300, 0, 300, 100}); }

void ShowHudNotice(const std::string& text, float seconds) {
    noticeText = text;
    noticeLeft = seconds;
}

void DrawHudNotice(float dt) {
    if (noticeLeft <= 0.0f) return;
    DrawHudText(noticeText, Rect{0, 100, 1000, 140});
    // A frame that follows a level load lasts as long as the load did: counted as a short one,
    // so the notice is still read.
    noticeLeft -= dt < 0.25f ? dt : 0.25f;
}

namespace {
std::string g_notice;
}  // namespace

void SetHeadUpNotice(std::string notice) { g_notice = std::move(notice); }

bool HudNoticeShowing() { return noticeLeft > 0.0f; }

const std::string& HeadUpNotice() { return g_notice; }

void DrawHeadUpNotice() {
    if (!g_font || g_notice.empty()) return;
    g_font->DrawText(g_notice.c_str(), -1, Rect{0, 20, 1000, 100}, kTextNoClip, 0xFFC00000u);
}

std::string FitLabel(const std::string& label, int width, const std::function<int(const std::string&)>& measure) {
    if (measure(label) <= width) return label;
    // The longest cut that fits, found by halving: a code runs to hundreds of characters.
    size_t low = 0, high = label.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (measure(label.substr(0, middle) + "...") <= width) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return label.substr(0, low) + "...";
}

void DrawLevelLabel(int width, int height) {
    if (g_levelLabel.empty() || !g_font) return;
    constexpr int kMargin = 8, kLine = 20;
    const auto measure = [](const std::string& text) { return g_font->TextWidth(text); };
    DrawHudText(FitLabel(g_levelLabel, width - 2 * kMargin, measure), Rect{kMargin, height - kLine - kMargin, width, height});
}

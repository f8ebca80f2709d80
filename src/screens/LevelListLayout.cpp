#include "screens/LevelListLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr float kMinRow = 100.0f;  // two lines of text and a margin, at scale 1
constexpr int32_t kPreferredRows = 5;
constexpr float kMargin = 6.0f;
}  // namespace

LevelListLayout LayOutLevelList(const Rect& body, float scale) {
    LevelListLayout layout;
    layout.body = body;
    layout.rowsTop = body.top;
    layout.margin = std::max<int32_t>(2, static_cast<int32_t>(std::lround(kMargin * scale)));
    const int32_t minRow = std::max<int32_t>(24, static_cast<int32_t>(std::lround(kMinRow * scale)));
    const int32_t room = std::max<int32_t>(body.bottom - body.top, minRow);
    layout.rowsShown = std::max<int32_t>(1, std::min(kPreferredRows, room / minRow));
    layout.rowHeight = room / layout.rowsShown;
    return layout;
}

Rect LevelListLayout::Row(int32_t slot) const {
    const int32_t top = rowsTop + slot * rowHeight;
    return Rect{body.left, top, body.right, top + rowHeight};
}

Rect LevelListLayout::Picture(int32_t slot) const {
    const Rect row = Row(slot);
    const int32_t pictureHeight = rowHeight - 2 * margin;
    return Rect{row.left + margin, row.top + margin, row.left + margin + pictureHeight * 4 / 3, row.bottom - margin};
}

int32_t LevelListLayout::SlotAt(int32_t x, int32_t y) const {
    if (x < body.left || x >= body.right || y < rowsTop || rowHeight <= 0) return -1;
    const int32_t slot = (y - rowsTop) / rowHeight;
    return slot < rowsShown ? slot : -1;
}

int32_t ScrollToShow(int32_t selected, int32_t first, int32_t rowsShown, int32_t count) {
    if (selected < first) first = selected;
    if (selected >= first + rowsShown) first = selected - rowsShown + 1;
    return std::max(0, std::min(first, count - rowsShown));
}

std::string FormatSeconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

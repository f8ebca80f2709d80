#include "shell/LevelListLayout.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int32_t kHeader = 70;   // the title line and the key line above the rows
constexpr int32_t kFooter = 20;
constexpr int32_t kMinRow = 90;   // two lines of the game's 25-pixel font and a margin
constexpr int32_t kPreferredRows = 5;
constexpr int32_t kMargin = 6;
}  // namespace

LevelListLayout LayOutLevelList(int32_t width, int32_t height) {
    LevelListLayout layout;
    layout.width = width;
    layout.height = height;
    layout.rowsTop = kHeader;
    const int32_t room = std::max<int32_t>(height - kHeader - kFooter, kMinRow);
    layout.rowsShown = std::max<int32_t>(1, std::min(kPreferredRows, room / kMinRow));
    layout.rowHeight = room / layout.rowsShown;
    return layout;
}

Rect LevelListLayout::Row(int32_t slot) const {
    const int32_t top = rowsTop + slot * rowHeight;
    return Rect{0, top, width, top + rowHeight};
}

Rect LevelListLayout::Picture(int32_t slot) const {
    const Rect row = Row(slot);
    const int32_t pictureHeight = rowHeight - 2 * kMargin;
    return Rect{kMargin, row.top + kMargin, kMargin + pictureHeight * 4 / 3, row.bottom - kMargin};
}

int32_t LevelListLayout::SlotAt(int32_t y) const {
    if (y < rowsTop || rowHeight <= 0) return -1;
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

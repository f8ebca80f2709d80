#pragma once
#include <cstdint>
#include <string>

#include "platform/RenderTypes.h"

// Where the level list puts its rows inside `body` (the page's area below its title): as many
// rows as fit (at least one, at most five), each a picture of 4:3 and two lines of text beside it.
struct LevelListLayout {
    Rect body{};
    int32_t rowsTop = 0;    // y of the first row
    int32_t rowHeight = 0;
    int32_t rowsShown = 0;  // rows that fit
    int32_t margin = 6;     // around a picture inside its row

    // The rectangle of the row shown at `slot` (0 = the top one).
    Rect Row(int32_t slot) const;
    // The picture's rectangle inside that row.
    Rect Picture(int32_t slot) const;
    // The slot under pixel (x, y); -1 outside the rows.
    int32_t SlotAt(int32_t x, int32_t y) const;
};

// The rows laid out in `body` for a page drawn at `scale` (1 for 1024x768).
LevelListLayout LayOutLevelList(const Rect& body, float scale);

// The first level shown so that `selected` is in view, moving `first` as little as possible, and
// never leaving empty rows at the bottom while there are levels above.
int32_t ScrollToShow(int32_t selected, int32_t first, int32_t rowsShown, int32_t count);

// "12.34 s": a winning time to the hundredth of a second.
std::string FormatSeconds(double seconds);

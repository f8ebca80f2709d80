#pragma once
#include <cstdint>
#include <string>

#include "platform/RenderTypes.h"

// Where the level list puts things on a back buffer of width x height: a header, as many rows as
// fit (at least one), a footer; each row a picture of 4:3 and two lines of text beside it.
struct LevelListLayout {
    int32_t width = 0, height = 0;
    int32_t rowsTop = 0;    // y of the first row
    int32_t rowHeight = 0;
    int32_t rowsShown = 0;  // rows that fit

    // The rectangle of the row shown at `slot` (0 = the top one).
    Rect Row(int32_t slot) const;
    // The picture's rectangle inside that row.
    Rect Picture(int32_t slot) const;
    // The slot under pixel row y; -1 above or below the rows.
    int32_t SlotAt(int32_t y) const;
};

LevelListLayout LayOutLevelList(int32_t width, int32_t height);

// The first level shown so that `selected` is in view, moving `first` as little as possible, and
// never leaving empty rows at the bottom while there are levels above.
int32_t ScrollToShow(int32_t selected, int32_t first, int32_t rowsShown, int32_t count);

// "12.34 s": a winning time to the hundredth of a second.
std::string FormatSeconds(double seconds);

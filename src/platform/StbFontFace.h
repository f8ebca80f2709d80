#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/FontRaster.h"

// A TrueType face rasterised by stb_truetype, sized the way the desktop's rasteriser sizes its
// fonts (a line height in pixels reached through a whole number of pixels per em, letters
// advancing by whole pixels), so that text laid out with it takes the same room. The browser
// build draws its text with it.
class StbFontFace {
public:
    StbFontFace();
    ~StbFontFace();
    // Reads the font file and sizes the face for lines `pixelHeight` pixels high; false when the
    // file cannot be read or is no TrueType font.
    bool Open(const std::string& file, int pixelHeight);
    // Widens or narrows the glyphs as a horizontal resolution of `dpi` would; the face's own
    // proportions are at VerticalDpi().
    void SetHorizontalDpi(int dpi);
    int VerticalDpi() const;

    int LineHeight() const;
    int LineSkip() const;
    // The glyph of a code point (the face's replacement shape when it has none): its coverage,
    // placed as FontRaster's glyphs are, and its advance in whole pixels.
    GlyphImage Glyph(uint32_t codePoint) const;
    // The mean advance of a to z at the current size.
    double MeanLowercaseAdvance() const;

private:
    struct Face;
    std::unique_ptr<Face> face_;
};

#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Font lookup and glyph rasterising, with no window or GPU involved: the render device builds
// its glyph atlas from it and the content tools render text into images with it.

// An 8-bit coverage image: 0 is empty, 255 fully covered; rows top to bottom.
struct CoverageImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height bytes

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// One rasterised glyph. Its image is placed with its left edge at pen x + offsetX and its top at
// the line's top; the pen then moves on by advance.
struct GlyphImage {
    CoverageImage image;
    int offsetX = 0;
    int advance = 0;
};

// The font file and family that fontconfig chooses for a face name. fontconfig always answers
// something, so callers that care check `family`.
struct FontMatch {
    std::string file;
    std::string family;
};

// Asks fontconfig for the best font for `faceName` (weight 500 and above 600 count as bold);
// false when fontconfig gives no file at all.
bool FindFont(const std::string& faceName, bool bold, bool italic, FontMatch* match);

class FontRaster {
public:
    ~FontRaster();
    // Opens the face through fontconfig with lines `pixelHeight` pixels high (ascent + descent);
    // null when no font file can be found or opened.
    static std::unique_ptr<FontRaster> Open(const std::string& faceName, int pixelHeight,
                                            bool bold = false, bool italic = false);

    // Stretches or narrows the glyphs (a horizontal resolution of their own) so that the
    // lowercase letters a to z advance `pixels` on average, as a font description's width asks;
    // the line height stays. False when the font cannot be measured.
    bool SetAverageWidth(int pixels);

    const std::string& Family() const { return match_.family; }
    const std::string& File() const { return match_.file; }
    // Height of one line of glyph cells, and the distance between the tops of two lines.
    int LineHeight() const { return lineHeight_; }
    int LineSkip() const { return lineSkip_; }

    // The glyph for a code point, rasterised once and kept; a missing glyph gives the font's
    // replacement shape (or an empty image).
    const GlyphImage& Glyph(uint32_t codePoint);

    // Walks the text (UTF-8, bytes that are not valid UTF-8 taken as Latin-1) as laid out from
    // (0, 0): each glyph is reported with the top-left corner of its image. A line feed starts a
    // new line at x = 0; a carriage return is skipped. No clipping or wrapping.
    void Layout(const std::string& text, const std::function<void(const GlyphImage&, int x, int y)>& visit);

    // Size of the laid-out text: the widest line and lines * LineSkip (the last line counts
    // LineHeight). An empty text is 0 by 0.
    void Measure(const std::string& text, int* width, int* height);

    // Renders the whole text into a coverage image of its measured size, glyph coverage combined
    // by maximum where glyphs overlap.
    CoverageImage Render(const std::string& text);

private:
    FontRaster() = default;

    void* font_ = nullptr;  // TTF_Font, kept opaque so that users need no SDL headers
    FontMatch match_;
    int pointSize_ = 0;
    unsigned dpi_ = 72;  // the vertical resolution that gives the requested line height
    int lineHeight_ = 0;
    int lineSkip_ = 0;
    std::unordered_map<uint32_t, GlyphImage> glyphs_;
};

// Decodes the next code point of UTF-8 text at *pos and advances *pos; a byte that does not begin
// a valid sequence is returned as itself (Latin-1).
uint32_t NextCodePoint(const std::string& text, size_t* pos);

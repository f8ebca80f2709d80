#include "platform/StbFontFace.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

struct StbFontFace::Face {
    std::vector<unsigned char> bytes;
    stbtt_fontinfo info{};
    int unitsPerEm = 2048;
    int ascender = 0, descender = 0, lineGap = 0;  // font units; the descender is negative
    int pointSize = 0;
    int verticalDpi = 72;
    int horizontalDpi = 72;
    float scaleX = 0.0f, scaleY = 0.0f;  // pixels per font unit
    int ascent = 0, lineHeight = 0, lineSkip = 0;

    // Pixels per em at a resolution, rounded to whole pixels as hinted TrueType fonts are scaled.
    float Scale(int dpi) const {
        const double ppem = std::max(1.0, std::round(static_cast<double>(pointSize) * dpi / 72.0));
        return static_cast<float>(ppem / unitsPerEm);
    }
    int Ceil(double units, float scale) const { return static_cast<int>(std::ceil(units * scale - 1e-6)); }

    void Resize() {
        scaleY = Scale(verticalDpi);
        scaleX = Scale(horizontalDpi);
        ascent = Ceil(ascender, scaleY);
        lineHeight = Ceil(ascender - descender, scaleY);
        lineSkip = std::max(lineHeight, Ceil(ascender - descender + lineGap, scaleY));
    }
};

StbFontFace::StbFontFace() : face_(std::make_unique<Face>()) {}
StbFontFace::~StbFontFace() = default;

bool StbFontFace::Open(const std::string& file, int pixelHeight) {
    if (pixelHeight <= 0) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    Face& f = *face_;
    f.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    // stb_truetype trusts the file's tables: only the font shipped with the game is opened.
    if (f.bytes.size() < 12) return false;
    const int offset = stbtt_GetFontOffsetForIndex(f.bytes.data(), 0);
    if (offset < 0 || !stbtt_InitFont(&f.info, f.bytes.data(), offset)) return false;
    stbtt_GetFontVMetrics(&f.info, &f.ascender, &f.descender, &f.lineGap);
    const float perUnit = stbtt_ScaleForMappingEmToPixels(&f.info, 1.0f);
    if (perUnit <= 0.0f || f.ascender - f.descender <= 0) return false;
    f.unitsPerEm = static_cast<int>(std::lround(1.0 / perUnit));
    // A point size names the em, not the line: the resolution is scaled until ascent plus
    // descent come out at the asked height, with one step back when rounding overshoots.
    f.pointSize = pixelHeight;
    f.verticalDpi = f.horizontalDpi = 72;
    f.Resize();
    if (f.lineHeight != pixelHeight) {
        f.verticalDpi = f.horizontalDpi = static_cast<int>(std::lround(72.0 * pixelHeight / f.lineHeight));
        f.Resize();
        if (f.lineHeight > pixelHeight && f.verticalDpi > 1) {
            f.horizontalDpi = --f.verticalDpi;
            f.Resize();
        }
    }
    return true;
}

void StbFontFace::SetHorizontalDpi(int dpi) {
    face_->horizontalDpi = std::max(1, dpi);
    face_->Resize();
}

int StbFontFace::VerticalDpi() const { return face_->verticalDpi; }
int StbFontFace::LineHeight() const { return face_->lineHeight; }
int StbFontFace::LineSkip() const { return face_->lineSkip; }

GlyphImage StbFontFace::Glyph(uint32_t codePoint) const {
    const Face& f = *face_;
    GlyphImage glyph;
    const int index = stbtt_FindGlyphIndex(&f.info, static_cast<int>(codePoint));
    int advanceUnits = 0, bearing = 0;
    stbtt_GetGlyphHMetrics(&f.info, index, &advanceUnits, &bearing);
    glyph.advance = static_cast<int>(std::lround(advanceUnits * f.scaleX));
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBox(&f.info, index, f.scaleX, f.scaleY, &x0, &y0, &x1, &y1);
    // The image spans the pen's start to its advance and the ink beyond either, one line high.
    glyph.offsetX = std::min(0, x0);
    const int width = std::max(glyph.advance, x1) - glyph.offsetX;
    if (width <= 0 || f.lineHeight <= 0) return glyph;
    glyph.image.width = width;
    glyph.image.height = f.lineHeight;
    glyph.image.pixels.assign(static_cast<size_t>(width) * f.lineHeight, 0);
    const int inkWidth = x1 - x0, inkHeight = y1 - y0;
    if (inkWidth <= 0 || inkHeight <= 0) return glyph;
    std::vector<unsigned char> ink(static_cast<size_t>(inkWidth) * inkHeight);
    stbtt_MakeGlyphBitmap(&f.info, ink.data(), inkWidth, inkHeight, inkWidth, f.scaleX, f.scaleY, index);
    const int left = x0 - glyph.offsetX, top = f.ascent + y0;
    for (int y = 0; y < inkHeight; ++y) {
        const int ty = top + y;
        if (ty < 0 || ty >= f.lineHeight) continue;
        for (int x = 0; x < inkWidth; ++x)
            glyph.image.pixels[static_cast<size_t>(ty) * width + left + x] = ink[static_cast<size_t>(y) * inkWidth + x];
    }
    return glyph;
}

double StbFontFace::MeanLowercaseAdvance() const {
    int sum = 0;
    for (uint32_t c = 'a'; c <= 'z'; ++c) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&face_->info, static_cast<int>(c), &advance, &bearing);
        sum += static_cast<int>(std::lround(advance * face_->scaleX));
    }
    return sum / 26.0;
}

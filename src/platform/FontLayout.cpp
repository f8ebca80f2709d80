// Text layout over a FontRaster's glyphs: the same on every platform, whatever rasterises them.
#include <algorithm>

#include "platform/FontRaster.h"

uint32_t NextCodePoint(const std::string& text, size_t* pos) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(*pos);
    int extra = 0;
    uint32_t cp = lead;
    if (lead >= 0xC2 && lead <= 0xDF) { extra = 1; cp = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { extra = 2; cp = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { extra = 3; cp = lead & 0x07; }
    for (int i = 1; i <= extra; ++i) {
        if (*pos + i >= text.size() || (byte(*pos + i) & 0xC0) != 0x80) {
            ++*pos;
            return lead;  // not a valid sequence: the byte stands for itself
        }
        cp = (cp << 6) | (byte(*pos + i) & 0x3F);
    }
    // Overlong three- and four-byte forms and surrogates are not valid UTF-8 either.
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
        ++*pos;
        return lead;
    }
    *pos += 1 + extra;
    return cp;
}

void FontRaster::Layout(const std::string& text, const std::function<void(const GlyphImage&, int, int)>& visit) {
    int penX = 0, lineTop = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const uint32_t cp = NextCodePoint(text, &pos);
        if (cp == '\n') {
            penX = 0;
            lineTop += lineSkip_;
            continue;
        }
        if (cp == '\r') continue;
        const GlyphImage& glyph = Glyph(cp);
        if (glyph.image.width > 0) visit(glyph, penX + glyph.offsetX, lineTop);
        penX += glyph.advance;
    }
}

void FontRaster::Measure(const std::string& text, int* width, int* height) {
    int w = 0, lines = text.empty() ? 0 : 1;
    int penX = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        const uint32_t cp = NextCodePoint(text, &pos);
        if (cp == '\n') {
            ++lines;
            penX = 0;
            continue;
        }
        if (cp == '\r') continue;
        const GlyphImage& glyph = Glyph(cp);
        w = std::max(w, penX + glyph.offsetX + glyph.image.width);
        penX += glyph.advance;
        w = std::max(w, penX);
    }
    *width = w;
    *height = lines == 0 ? 0 : (lines - 1) * lineSkip_ + lineHeight_;
}

CoverageImage FontRaster::Render(const std::string& text) {
    CoverageImage out;
    Measure(text, &out.width, &out.height);
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, 0);
    Layout(text, [&](const GlyphImage& glyph, int left, int top) {
        for (int y = 0; y < glyph.image.height; ++y) {
            const int ty = top + y;
            if (ty < 0 || ty >= out.height) continue;
            for (int x = 0; x < glyph.image.width; ++x) {
                const int tx = left + x;
                if (tx < 0 || tx >= out.width) continue;
                uint8_t& dst = out.pixels[static_cast<size_t>(ty) * out.width + tx];
                dst = std::max(dst, glyph.image.At(x, y));
            }
        }
    });
    return out;
}

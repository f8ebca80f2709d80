#include "platform/FontRaster.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// SDL_ttf needs one initialisation per process; fonts outlive any single user, so it is never
// shut down.
bool EnsureTtf() {
    static const bool ok = TTF_Init() == 0;
    return ok;
}

TTF_Font* AsTtf(void* font) { return static_cast<TTF_Font*>(font); }

}  // namespace

bool FindFont(const std::string& faceName, bool bold, bool italic, FontMatch* match) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // SDL_ttf reads only scalable outline files.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found) return false;
    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch && file;
    if (ok) {
        match->file = reinterpret_cast<const char*>(file);
        match->family = FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch && family
                            ? reinterpret_cast<const char*>(family)
                            : std::string();
    }
    FcPatternDestroy(found);
    return ok;
}

FontRaster::~FontRaster() {
    if (font_) TTF_CloseFont(AsTtf(font_));
}

std::unique_ptr<FontRaster> FontRaster::Open(const std::string& faceName, int pixelHeight, bool bold, bool italic) {
    if (pixelHeight <= 0 || !EnsureTtf()) return nullptr;
    std::unique_ptr<FontRaster> raster(new FontRaster());
    if (!FindFont(faceName, bold, italic, &raster->match_)) return nullptr;
    TTF_Font* font = TTF_OpenFont(raster->match_.file.c_str(), pixelHeight);
    if (!font) return nullptr;
    raster->font_ = font;
    // A point size names the em, not the line: scale the resolution so that ascent + descent
    // comes out at the requested pixel height, as a cell height in a font description means.
    const int naturalHeight = TTF_FontHeight(font);
    raster->pointSize_ = pixelHeight;
    if (naturalHeight > 0 && naturalHeight != pixelHeight) {
        unsigned dpi = static_cast<unsigned>(std::lround(72.0 * pixelHeight / naturalHeight));
        TTF_SetFontSizeDPI(font, pixelHeight, dpi, dpi);
        // Rounding of the resolution can leave a pixel over; one correction step settles it.
        const int h = TTF_FontHeight(font);
        if (h > pixelHeight && dpi > 1) {
            --dpi;
            TTF_SetFontSizeDPI(font, pixelHeight, dpi, dpi);
        }
        raster->dpi_ = dpi;
    }
    raster->lineHeight_ = TTF_FontHeight(font);
    raster->lineSkip_ = std::max(TTF_FontLineSkip(font), raster->lineHeight_);
    return raster;
}

namespace {

// The mean advance of the lowercase letters at the font's current size; 0 when unmeasurable.
double MeanLowercaseAdvance(TTF_Font* font) {
    int sum = 0;
    for (uint32_t c = 'a'; c <= 'z'; ++c) {
        int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
        if (TTF_GlyphMetrics32(font, c, &minX, &maxX, &minY, &maxY, &advance) != 0) return 0.0;
        sum += advance;
    }
    return sum / 26.0;
}

}  // namespace

bool FontRaster::SetAverageWidth(int pixels) {
    TTF_Font* font = AsTtf(font_);
    if (pixels <= 0 || !font) return false;
    TTF_SetFontSizeDPI(font, pointSize_, dpi_, dpi_);
    const double natural = MeanLowercaseAdvance(font);
    if (natural <= 0.0) return false;
    // Hinting rounds every advance to whole pixels, so the scale alone can miss by a little:
    // the resolutions next to the estimate are tried and the closest kept.
    const long estimate = std::lround(dpi_ * pixels / natural);
    unsigned best = dpi_;
    double bestError = std::fabs(natural - pixels);
    for (long h = std::max(1L, estimate - 2); h <= estimate + 2; ++h) {
        TTF_SetFontSizeDPI(font, pointSize_, static_cast<unsigned>(h), dpi_);
        const double error = std::fabs(MeanLowercaseAdvance(font) - pixels);
        if (error < bestError) {
            bestError = error;
            best = static_cast<unsigned>(h);
        }
    }
    TTF_SetFontSizeDPI(font, pointSize_, best, dpi_);
    glyphs_.clear();
    return true;
}

const GlyphImage& FontRaster::Glyph(uint32_t codePoint) {
    auto it = glyphs_.find(codePoint);
    if (it != glyphs_.end()) return it->second;
    GlyphImage glyph;
    TTF_Font* font = AsTtf(font_);
    int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
    if (TTF_GlyphMetrics32(font, codePoint, &minX, &maxX, &minY, &maxY, &advance) == 0) {
        glyph.advance = advance;
        // The rendered surface puts the pen origin at -min(0, minX): a glyph reaching left of
        // its origin starts that far before the pen.
        glyph.offsetX = std::min(0, minX);
        SDL_Surface* surface = TTF_RenderGlyph32_Blended(font, codePoint, SDL_Color{255, 255, 255, 255});
        if (surface) {
            SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(surface);
            if (argb) {
                glyph.image.width = argb->w;
                glyph.image.height = argb->h;
                glyph.image.pixels.resize(static_cast<size_t>(argb->w) * argb->h);
                for (int y = 0; y < argb->h; ++y) {
                    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
                    for (int x = 0; x < argb->w; ++x)
                        glyph.image.pixels[static_cast<size_t>(y) * argb->w + x] = static_cast<uint8_t>(row[x] >> 24);
                }
                SDL_FreeSurface(argb);
            }
        }
    }
    return glyphs_.emplace(codePoint, std::move(glyph)).first->second;
}

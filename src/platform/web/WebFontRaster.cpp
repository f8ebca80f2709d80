// Text in the browser: there is no fontconfig, so the page ships the game's typeface (Liberation
// Serif, the metric twin of the face the game names) and stb_truetype rasterises it.
#include <algorithm>
#include <cmath>

#include "platform/FontRaster.h"
#include "platform/StbFontFace.h"

namespace {
// Where the page's data puts the typeface (see WebBuild.cmake).
constexpr const char* kFontFolder = "/fonts/";
StbFontFace* AsFace(void* font) { return static_cast<StbFontFace*>(font); }
}  // namespace

bool FindFont(const std::string&, bool bold, bool italic, FontMatch* match) {
    // The one family shipped, in the style asked for.
    const char* style = bold ? (italic ? "BoldItalic" : "Bold") : (italic ? "Italic" : "Regular");
    match->file = std::string(kFontFolder) + "LiberationSerif-" + style + ".ttf";
    match->family = "Liberation Serif";
    return true;
}

FontRaster::~FontRaster() { delete AsFace(font_); }

std::unique_ptr<FontRaster> FontRaster::Open(const std::string& faceName, int pixelHeight, bool bold, bool italic) {
    if (pixelHeight <= 0) return nullptr;
    std::unique_ptr<FontRaster> raster(new FontRaster());
    if (!FindFont(faceName, bold, italic, &raster->match_)) return nullptr;
    auto face = std::make_unique<StbFontFace>();
    // Only the regular style is shipped: the others fall back to it.
    if (!face->Open(raster->match_.file, pixelHeight)) {
        FindFont(faceName, false, false, &raster->match_);
        if (!face->Open(raster->match_.file, pixelHeight)) return nullptr;
    }
    raster->pointSize_ = pixelHeight;
    raster->dpi_ = static_cast<unsigned>(face->VerticalDpi());
    raster->lineHeight_ = face->LineHeight();
    raster->lineSkip_ = face->LineSkip();
    raster->font_ = face.release();
    return raster;
}

bool FontRaster::SetAverageWidth(int pixels) {
    StbFontFace* face = AsFace(font_);
    if (pixels <= 0 || !face) return false;
    face->SetHorizontalDpi(static_cast<int>(dpi_));
    const double natural = face->MeanLowercaseAdvance();
    if (natural <= 0.0) return false;
    // Advances are whole pixels, so the scale alone can miss by a little: the resolutions next
    // to the estimate are tried and the closest kept, as on the desktop.
    const long estimate = std::lround(dpi_ * pixels / natural);
    int best = static_cast<int>(dpi_);
    double bestError = std::fabs(natural - pixels);
    for (long h = std::max(1L, estimate - 2); h <= estimate + 2; ++h) {
        face->SetHorizontalDpi(static_cast<int>(h));
        const double error = std::fabs(face->MeanLowercaseAdvance() - pixels);
        if (error < bestError) {
            bestError = error;
            best = static_cast<int>(h);
        }
    }
    face->SetHorizontalDpi(best);
    glyphs_.clear();
    return true;
}

const GlyphImage& FontRaster::Glyph(uint32_t codePoint) {
    auto it = glyphs_.find(codePoint);
    if (it != glyphs_.end()) return it->second;
    return glyphs_.emplace(codePoint, AsFace(font_)->Glyph(codePoint)).first->second;
}

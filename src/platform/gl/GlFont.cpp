#include "platform/gl/GlFont.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gl/GlRenderDevice.h"

GlFont* GlFont::Create(GlRenderDevice* device, std::shared_ptr<GlLife> life, const FontDesc& desc) {
    char face[sizeof desc.faceName + 1] = {};
    std::memcpy(face, desc.faceName, sizeof desc.faceName);
    // A negative height names the character height; either way it is the size in pixels here,
    // and 0 asks for a default.
    const int height = desc.height == 0 ? 16 : std::abs(desc.height);
    auto raster = FontRaster::Open(face, height, desc.weight >= 600, desc.italic);
    if (!raster) return nullptr;
    // The width names the average letter width; 0 keeps the face's own proportions.
    if (desc.width > 0) raster->SetAverageWidth(static_cast<int>(desc.width));
    GlFont* font = new GlFont();
    font->device_ = device;
    font->life_ = std::move(life);
    font->raster_ = std::move(raster);
    glGenTextures(1, &font->atlas_);
    font->ResetAtlas();
    return font;
}

GlFont::~GlFont() {
    if (life_->alive && atlas_) glDeleteTextures(1, &atlas_);
}

void GlFont::ResetAtlas() {
    glBindTexture(GL_TEXTURE_2D, atlas_);
    std::vector<uint8_t> zeros(static_cast<size_t>(kAtlasSize) * kAtlasSize, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kAtlasSize, kAtlasSize, 0, GL_RED, GL_UNSIGNED_BYTE, zeros.data());
    // Glyphs are drawn at their own size, texel for pixel.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    shelfX_ = shelfY_ = shelfHeight_ = 0;
    cells_.clear();
}

const GlFont::AtlasCell* GlFont::Place(const GlyphImage& glyph) {
    auto it = cells_.find(&glyph);
    if (it != cells_.end()) return &it->second;
    const int w = glyph.image.width, h = glyph.image.height;
    if (w + 1 > kAtlasSize || h + 1 > kAtlasSize) return nullptr;
    // Shelves left to right, top to bottom, a pixel of space between glyphs.
    if (shelfX_ + w + 1 > kAtlasSize) {
        shelfY_ += shelfHeight_ + 1;
        shelfX_ = 0;
        shelfHeight_ = 0;
    }
    if (shelfY_ + h + 1 > kAtlasSize) return nullptr;
    glBindTexture(GL_TEXTURE_2D, atlas_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, shelfX_, shelfY_, w, h, GL_RED, GL_UNSIGNED_BYTE, glyph.image.pixels.data());
    const float s = 1.0f / kAtlasSize;
    AtlasCell cell{shelfX_ * s, shelfY_ * s, (shelfX_ + w) * s, (shelfY_ + h) * s};
    shelfX_ += w + 1;
    shelfHeight_ = std::max(shelfHeight_, h);
    return &cells_.emplace(&glyph, cell).first->second;
}

int GlFont::TextWidth(const std::string& text) {
    int width = 0, height = 0;
    raster_->Measure(text, &width, &height);
    return width;
}

int GlFont::DrawText(const char* text, int count, const Rect& rect, uint32_t format, uint32_t color) {
    if (!text || !life_->alive) return 0;
    // A count longer than the text stops at its end, as the text is NUL-terminated.
    const std::string s = count < 0 ? std::string(text) : std::string(text, strnlen(text, static_cast<size_t>(count)));
    int width = 0, height = 0;
    raster_->Measure(s, &width, &height);
    if (format & kTextCalcRect) return height;

    std::vector<float>& quads = quads_;
    const bool clip = !(format & kTextNoClip);
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool atlasFull = false;
        quads.clear();
        raster_->Layout(s, [&](const GlyphImage& glyph, int x, int y) {
            const AtlasCell* cell = Place(glyph);
            if (!cell) {
                atlasFull = true;
                return;
            }
            float x0 = static_cast<float>(rect.left + x), y0 = static_cast<float>(rect.top + y);
            float x1 = x0 + glyph.image.width, y1 = y0 + glyph.image.height;
            float u0 = cell->u0, v0 = cell->v0, u1 = cell->u1, v1 = cell->v1;
            if (clip) {
                // Cut the quad at the rectangle, moving its texture coordinates along.
                const float cx0 = std::max(x0, static_cast<float>(rect.left));
                const float cy0 = std::max(y0, static_cast<float>(rect.top));
                const float cx1 = std::min(x1, static_cast<float>(rect.right));
                const float cy1 = std::min(y1, static_cast<float>(rect.bottom));
                if (cx0 >= cx1 || cy0 >= cy1) return;
                const float du = (u1 - u0) / (x1 - x0), dv = (v1 - v0) / (y1 - y0);
                u0 += (cx0 - x0) * du, u1 -= (x1 - cx1) * du, v0 += (cy0 - y0) * dv, v1 -= (y1 - cy1) * dv;
                x0 = cx0, y0 = cy0, x1 = cx1, y1 = cy1;
            }
            const float quad[24] = {x0, y0, u0, v0, x1, y0, u1, v0, x1, y1, u1, v1,
                                    x0, y0, u0, v0, x1, y1, u1, v1, x0, y1, u0, v1};
            quads.insert(quads.end(), quad, quad + 24);
        });
        if (!atlasFull) break;
        // Glyphs of earlier texts filled the atlas: start it afresh for this text's glyphs (a
        // text with more glyphs than the atlas holds draws what fits).
        ResetAtlas();
    }
    device_->DrawGlyphQuads(atlas_, quads, color);
    return height;
}

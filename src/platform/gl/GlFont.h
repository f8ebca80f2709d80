#pragma once
#include "platform/gl/GlApi.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/FontRaster.h"
#include "platform/RenderDevice.h"

class GlRenderDevice;
struct GlLife;

// A font of the GL device. Glyphs are rasterised once into a shared atlas texture, so drawing a
// string costs one buffer upload and one draw call, whatever the string.
class GlFont : public Font {
public:
    // Null when the face cannot be found or opened.
    static GlFont* Create(GlRenderDevice* device, std::shared_ptr<GlLife> life, const FontDesc& desc);
    ~GlFont() override;

    // Text from the rectangle's top-left corner, line feeds honoured. With kTextNoClip nothing is
    // clipped; without it glyphs are cut at the rectangle. kTextCalcRect (0x400) only measures.
    int DrawText(const char* text, int count, const Rect& rect, uint32_t format, uint32_t color) override;
    int TextWidth(const std::string& text) override;

    const FontRaster& Raster() const { return *raster_; }

private:
    struct AtlasCell {
        float u0, v0, u1, v1;
    };
    static constexpr int kAtlasSize = 1024;

    GlFont() = default;
    // The glyph's place in the atlas, adding it on first use; null when the atlas is full.
    const AtlasCell* Place(const GlyphImage& glyph);
    void ResetAtlas();

    GlRenderDevice* device_ = nullptr;
    std::shared_ptr<GlLife> life_;
    std::unique_ptr<FontRaster> raster_;
    GLuint atlas_ = 0;
    int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
    std::unordered_map<const GlyphImage*, AtlasCell> cells_;
    std::vector<float> quads_;  // the quads of the text being drawn, kept so drawing does not allocate
};


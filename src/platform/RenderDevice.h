#pragma once
#include <cstdint>
#include <string>

#include "math/Matrix4.h"
#include "platform/MeshData.h"
#include "platform/RenderTypes.h"
#include "platform/Result.h"

// The drawing interface the game's graphics code talks to, call for call. Two implementations:
// OpenGL for the game (platform/gl/) and a recorder that keeps every call with its arguments, for
// tests and headless tools. All objects handed out are owned by the caller, who deletes them.

class Texture {
public:
    virtual ~Texture() = default;
};

class VertexBuffer {
public:
    virtual ~VertexBuffer() = default;
    // Maps `size` bytes from `offset` (size 0: the whole buffer) into *data until Unlock.
    virtual Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) = 0;
    // Ends the lock; the device sees the written bytes from now on.
    virtual Result Unlock() = 0;
};

class Font {
public:
    virtual ~Font() = default;
    // Draws text (count -1: up to the NUL) from the rectangle's top-left corner in colour
    // 0xAARRGGBB; line feeds start new lines. Returns the height drawn, 0 on failure.
    virtual int DrawText(const char* text, int count, const Rect& rect, uint32_t format, uint32_t color) = 0;
    // The width in pixels of the widest line of text as it would be drawn.
    virtual int TextWidth(const std::string& text) = 0;
};

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    // Clears target, depth and/or stencil (kClear* flags); color is 0xAARRGGBB.
    virtual Result Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) = 0;
    virtual Result BeginScene() = 0;
    virtual Result EndScene() = 0;
    // Shows the back buffer; no wait for the vertical retrace where the driver allows it, unless
    // SetPresentWait asked for one.
    virtual Result Present() = 0;
    // From now on Present waits (true) or does not wait (false) for the display's refresh, where
    // the driver lets it choose.
    virtual Result SetPresentWait(bool wait) = 0;
    // Copies the whole back buffer as drawn so far (colour, depth and stencil, at its sample
    // count) into the device's kept image, replacing the one kept before. Fails, keeping nothing,
    // where the device cannot keep one.
    virtual Result KeepImage() = 0;
    // Puts the kept image back over the whole back buffer, exactly as it was kept. Fails, drawing
    // nothing, when no image is kept (never kept, the last KeepImage failed, or the device lost it).
    virtual Result RestoreImage() = 0;

    virtual Result SetRenderState(RenderStateType state, uint32_t value) = 0;
    virtual Result SetTransform(TransformType type, const Matrix4& matrix) = 0;
    virtual Result GetTransform(TransformType type, Matrix4* matrix) = 0;
    virtual Result SetViewport(const Viewport& viewport) = 0;
    virtual Result GetViewport(Viewport* viewport) = 0;
    virtual Result SetLight(uint32_t index, const Light& light) = 0;
    virtual Result LightEnable(uint32_t index, bool enable) = 0;
    virtual Result SetMaterial(const Material& material) = 0;
    // Binds texture to stage 0 (null: untextured).
    virtual Result SetTexture(uint32_t stage, Texture* texture) = 0;
    virtual Result SetTextureStageState(uint32_t stage, TextureStageStateType type, uint32_t value) = 0;

    virtual Result CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                                      VertexBuffer** buffer) = 0;
    virtual Result SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) = 0;
    virtual Result SetFVF(uint32_t fvf) = 0;
    virtual Result DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) = 0;

    // Draws subset `subset` of mesh with the current material, texture and transforms; the mesh
    // is uploaded on its first draw and kept while it lives.
    virtual Result DrawSubset(const MeshData& mesh, uint32_t subset) = 0;

    // Decodes an image file (PNG, BMP, TGA, JPEG) into a texture; *texture stays null on failure.
    virtual Result CreateTextureFromFile(const std::string& path, Texture** texture) = 0;
    // Copies the rectangle `area` (back-buffer pixels, top-left origin) of the image drawn so far
    // into a new texture, which draws with texture coordinates (0, 0) at the area's bottom-left and
    // (1, 1) at its top-right. *image stays null on failure (an area outside the image).
    virtual Result CaptureImage(const Rect& area, Texture** image) = 0;
    // Makes a font after the description (face name resolved by the platform's font lookup).
    virtual Result CreateFont(const FontDesc& desc, Font** font) = 0;
};

#include "graphics/ScreenDrawing.h"

#include <cstring>
#include <memory>

#include "graphics/TouchButtons.h"
#include "math/Matrix4.h"
#include "state/GameState.h"

namespace {

constexpr uint32_t kFvfTex1 = 0x100;

// x, y, z and one texture coordinate pair: a quad over the whole viewport, clip space.
struct ImageVertex {
    float x, y, z, u, v;
};
constexpr ImageVertex kQuad[6] = {{-1, -1, 0.5f, 0, 0}, {1, -1, 0.5f, 1, 0}, {1, 1, 0.5f, 1, 1},
                                  {-1, -1, 0.5f, 0, 0}, {1, 1, 0.5f, 1, 1}, {-1, 1, 0.5f, 0, 1}};

std::unique_ptr<VertexBuffer> quadBuffer;
RenderDevice* quadDevice = nullptr;
Viewport whole{};
bool wholeKnown = false;

VertexBuffer* QuadBuffer() {
    if (quadBuffer && quadDevice == g_device) return quadBuffer.get();
    quadBuffer.reset();
    quadDevice = g_device;
    VertexBuffer* made = nullptr;
    if (Failed(g_device->CreateVertexBuffer(sizeof kQuad, 0, kFvfXyz | kFvfTex1, 0, &made)) || !made) return nullptr;
    quadBuffer.reset(made);
    void* data = nullptr;
    if (Failed(made->Lock(0, 0, &data, 0)) || !data) return nullptr;
    std::memcpy(data, kQuad, sizeof kQuad);
    made->Unlock();
    return made;
}

}  // namespace

void ForgetScreenDrawing() {
    ForgetTouchButtons();
    quadBuffer.reset();
    quadDevice = nullptr;
    wholeKnown = false;
}

Viewport WholeScreen() {
    if (!wholeKnown && g_device) {
        g_device->GetViewport(&whole);
        wholeKnown = true;
    }
    return whole;
}

void RestoreWholeScreen() {
    if (g_device) g_device->SetViewport(WholeScreen());
}

Viewport ViewportOf(const Rect& rect) {
    return Viewport{static_cast<uint32_t>(rect.left), static_cast<uint32_t>(rect.top),
                    static_cast<uint32_t>(rect.right - rect.left), static_cast<uint32_t>(rect.bottom - rect.top), 0.0f,
                    1.0f};
}

void FillRect(const Rect& rect, uint32_t color) {
    if (!g_device || rect.right <= rect.left || rect.bottom <= rect.top) return;
    g_device->SetViewport(ViewportOf(rect));
    g_device->Clear(kClearTarget | kClearZBuffer | kClearStencil, color, 1.0f, 0);
    RestoreWholeScreen();
}

void DrawScreenText(const std::string& text, int32_t left, int32_t top, uint32_t color) {
    if (!g_font) return;
    g_font->DrawText(text.c_str(), -1, Rect{left, top, left + 2000, top + 100}, kTextNoClip, color);
}

void DrawImage(Texture* image, const Rect& rect) {
    if (!g_device || !image) return;
    VertexBuffer* quad = QuadBuffer();
    if (!quad) return;
    RenderDevice* device = g_device;
    Matrix4 identity;
    Identity(&identity);
    device->SetViewport(ViewportOf(rect));
    device->SetTransform(TransformType::World, identity);
    device->SetTransform(TransformType::View, identity);
    device->SetTransform(TransformType::Projection, identity);
    device->SetRenderState(RenderStateType::Lighting, 0);
    device->SetRenderState(RenderStateType::ZEnable, 0);
    device->SetRenderState(RenderStateType::CullMode, kCullNone);
    device->SetTexture(0, image);
    device->SetStreamSource(0, quad, 0, sizeof(ImageVertex));
    device->SetFVF(kFvfXyz | kFvfTex1);
    device->DrawPrimitive(PrimitiveType::TriangleList, 0, 2);
    // What the game's drawing expects to find.
    device->SetTexture(0, nullptr);
    device->SetRenderState(RenderStateType::CullMode, kCullCounterClockwise);
    device->SetRenderState(RenderStateType::ZEnable, kZbTrue);
    device->SetRenderState(RenderStateType::Lighting, 1);
    device->SetTransform(TransformType::Projection, g_projection);
    RestoreWholeScreen();
}

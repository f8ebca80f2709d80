#include "graphics/HintMarker.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "level/Tiles.h"
#include "platform/RenderDevice.h"
#include "state/GameState.h"

namespace {
constexpr int kSegments = 48;
constexpr float kInnerRadius = 5.5f;
constexpr float kOuterRadius = 7.5f;
// Lifted off the floor so that the depth test never buries it there.
constexpr float kHeight = 0.3f;
constexpr uint32_t kStride = 3 * sizeof(float);
constexpr uint32_t kTextRed = 0xFFD00000u;

// The corners of the ring's triangles round (x, y): three floats a corner, three corners a triangle.
std::vector<float> RingCorners(float x, float y) {
    std::vector<float> corners;
    const auto corner = [&](float radius, int step) {
        const float angle = 2.0f * kPi * static_cast<float>(step) / static_cast<float>(kSegments);
        corners.insert(corners.end(), {x + radius * std::cos(angle), y + radius * std::sin(angle), kHeight});
    };
    for (int i = 0; i < kSegments; ++i) {
        corner(kInnerRadius, i);
        corner(kOuterRadius, i);
        corner(kOuterRadius, i + 1);
        corner(kInnerRadius, i);
        corner(kOuterRadius, i + 1);
        corner(kInnerRadius, i + 1);
    }
    return corners;
}

void DrawRing(RenderDevice* device, float x, float y) {
    const std::vector<float> corners = RingCorners(x, y);
    const uint32_t length = static_cast<uint32_t>(corners.size() * sizeof(float));
    VertexBuffer* created = nullptr;
    if (Failed(device->CreateVertexBuffer(length, 0, kFvfXyz, kPoolManaged, &created)) || !created) return;
    std::unique_ptr<VertexBuffer> buffer(created);
    void* data = nullptr;
    if (Failed(buffer->Lock(0, length, &data, 0)) || !data) return;
    std::memcpy(data, corners.data(), length);
    buffer->Unlock();

    const Color4 none(0.0f, 0.0f, 0.0f, 1.0f);
    const Color4 red(0.9f, 0.0f, 0.0f, 1.0f);
    device->SetMaterial(Material{none, none, none, red, 1.0f});
    device->SetTexture(0, nullptr);
    device->SetTransform(TransformType::World, g_identity);
    device->SetRenderState(RenderStateType::CullMode, kCullNone);
    if (!Failed(device->SetStreamSource(0, buffer.get(), 0, kStride)) && !Failed(device->SetFVF(kFvfXyz)))
        device->DrawPrimitive(PrimitiveType::TriangleList, 0, static_cast<uint32_t>(corners.size() / 9));
    device->SetRenderState(RenderStateType::CullMode, kCullCounterClockwise);
}
}  // namespace

void DrawHint(const HintShown& hint) {
    RenderDevice* device = g_device;
    if (!device) return;
    if (hint.tile) DrawRing(device, TileCentre(hint.tile->first), TileCentre(hint.tile->second));
    if (g_font && !hint.line.empty())
        g_font->DrawText(hint.line.c_str(), -1, Rect{0, 60, 1000, 100}, kTextNoClip, kTextRed);
}

#include "state/FloorGrid.h"

#include <cstring>

#include "platform/RenderDevice.h"
#include "state/GameState.h"

namespace {

constexpr uint32_t kVertexStride = 3 * sizeof(float);
// A grid of this many bytes would have millions of lines; anything larger is bad level data, and
// refusing it keeps a bad size from taking unbounded memory.
constexpr uint64_t kMaxGridBytes = 64u << 20;

void WriteVertex(float* vertices, int64_t index, float x, float y, float z) {
    vertices[3 * index + 0] = x;
    vertices[3 * index + 1] = y;
    vertices[3 * index + 2] = z;
}

}  // namespace

FloorGrid::FloorGrid(RenderDevice* device_, float sizeY_, float sizeX_, float z_, int32_t xLineCount_,
                     int32_t yLineCount_)
    : z(z_), sizeY(sizeY_), sizeX(sizeX_), xLineCount(xLineCount_), yLineCount(yLineCount_), device(device_) {
    const Color4 black(0.0f, 0.0f, 0.0f, 1.0f);
    g_gridMaterial = Material{black, black, black, black, 1.0f};
    // A grid whose buffer cannot be built still exists; it draws nothing.
    BuildVertexBuffer();
}

int FloorGrid::BuildVertexBuffer() {
    // There is one grid buffer: a new build replaces it, and a failed build leaves none, so that
    // Draw never reads a buffer made for other line counts.
    g_gridVertexBuffer.reset();
    // Fewer than two lines on an axis would divide by zero in the spacing.
    if (!device || xLineCount < 2 || yLineCount < 2) return 1;
    const int64_t vertexCount = 2 * (static_cast<int64_t>(xLineCount) + yLineCount);
    const uint64_t length = static_cast<uint64_t>(vertexCount) * kVertexStride;
    if (length > kMaxGridBytes) return 1;

    VertexBuffer* created = nullptr;
    if (Failed(device->CreateVertexBuffer(static_cast<uint32_t>(length), 0, kFvfXyz, kPoolManaged, &created)) ||
        !created)
        return 1;
    std::unique_ptr<VertexBuffer> buffer(created);

    void* data = nullptr;
    if (Failed(buffer->Lock(0, static_cast<uint32_t>(length), &data, 0)) || !data) return 1;
    // Built in a local array and copied, so that the locked memory needs no particular alignment.
    std::vector<float> vertices(static_cast<size_t>(vertexCount) * 3);
    for (int32_t i = 0; i < xLineCount; ++i) {
        // extent / (count - 1) * index, in this order, so that the last line lands exactly on the
        // far edge.
        const float x = sizeX / static_cast<float>(xLineCount - 1) * static_cast<float>(i);
        WriteVertex(vertices.data(), 2 * int64_t{i}, x, 0.0f, z);
        WriteVertex(vertices.data(), 2 * int64_t{i} + 1, x, sizeY, z);
    }
    for (int32_t j = 0; j < yLineCount; ++j) {
        const float y = sizeY / static_cast<float>(yLineCount - 1) * static_cast<float>(j);
        const int64_t k = 2 * int64_t{xLineCount} + 2 * int64_t{j};
        WriteVertex(vertices.data(), k, 0.0f, y, z);
        WriteVertex(vertices.data(), k + 1, sizeX, y, z);
    }
    std::memcpy(data, vertices.data(), length);
    buffer->Unlock();
    g_gridVertexBuffer = std::move(buffer);
    return 0;
}

void FloorGrid::Draw() {
    if (!device || !g_gridVertexBuffer) return;
    device->SetMaterial(g_gridMaterial);
    if (Failed(device->SetStreamSource(0, g_gridVertexBuffer.get(), 0, kVertexStride))) return;
    if (Failed(device->SetFVF(kFvfXyz))) return;
    device->DrawPrimitive(PrimitiveType::LineList, 0, static_cast<uint32_t>(xLineCount + yLineCount));
}

#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "math/Matrix4.h"
#include "platform/RenderDevice.h"

// A render device that draws nothing and keeps every call, with its arguments, in order. Tests
// compare whole frames against expected call lists; headless tools use it where a device is
// required but nothing is shown.
//
// Each call is kept as its name and a canonical text of its arguments: integers in decimal,
// colours (0xAARRGGBB) and flag words in lower-case hex, floats in the shortest form that reads
// back to the same float, enumerations by name, structs as `field=value` lists. Line() gives
// "Name(args)". Calls on vertex buffers ("Lock", "Unlock") and fonts ("DrawText") made by this
// device go to the same list, also after the device itself is gone.

struct RecordedCall {
    std::string name;
    std::string args;
    Result result = kOk;  // what the call returned (DrawText: 0 for a failure, else kOk)

    // Typed copies of the arguments, filled for the calls named.
    Matrix4 matrix{};                  // SetTransform, GetTransform (the matrix returned)
    Material material{};               // SetMaterial
    Light light{};                     // SetLight
    const MeshData* mesh = nullptr;    // DrawSubset
    const void* object = nullptr;      // SetTexture, SetStreamSource: the texture or buffer
    uint32_t index = 0;                // DrawSubset subset, SetTexture stage, SetLight index
    std::string text;                  // DrawText text as drawn; CreateTextureFromFile path
    Rect rect{};                       // DrawText
    uint32_t color = 0;                // DrawText, Clear

    // "Name(args)".
    std::string Line() const;
};

// Texture made by the recorder: a label (its path) and the size of the decoded image.
class RecordingTexture : public Texture {
public:
    std::string path;
    int width = 0;
    int height = 0;
};

struct RecordingLog;

// Vertex buffer holding real memory, so that Lock hands out writable bytes that tests read back.
class RecordingVertexBuffer : public VertexBuffer {
public:
    RecordingVertexBuffer(std::shared_ptr<RecordingLog> log, std::string label, uint32_t length);
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    Result Unlock() override;

    const std::string& Label() const { return label; }
    const std::vector<uint8_t>& Bytes() const { return bytes; }
    // The contents read as consecutive floats (length / 4 of them).
    std::vector<float> Floats() const;
    bool IsLocked() const { return locked; }

private:
    std::shared_ptr<RecordingLog> log;
    std::string label;
    std::vector<uint8_t> bytes;
    bool locked = false;
};

class RecordingDevice : public RenderDevice {
public:
    // The viewport starts as (0, 0, width, height, 0, 1); all transforms start as the identity.
    explicit RecordingDevice(uint32_t width = 1024, uint32_t height = 768);
    ~RecordingDevice() override;

    // --- inspection ---
    // Every call so far, in order.
    const std::vector<RecordedCall>& Calls() const;
    // Line() of every call so far, in order.
    std::vector<std::string> Lines() const;
    // Line() of the calls whose name is one of `names`, in order.
    std::vector<std::string> Lines(const std::vector<std::string>& names) const;
    // The calls with this name, in order.
    std::vector<RecordedCall> CallsNamed(std::string_view name) const;
    // Forgets the calls so far (the device state stays).
    void ClearCalls();

    // Gives the mesh a label for DrawSubset's text; unnamed meshes read "mesh1", "mesh2", … in the
    // order this device first sees them.
    void NameMesh(const MeshData* mesh, const std::string& label);

    // Makes the call named `name` ("Clear", "Present", "CreateVertexBuffer", "Lock", "Unlock",
    // "DrawText", "CreateFont", …) return `code` instead of doing its work; `times` < 0: every
    // time from now on, else only the next `times` calls. DrawText then returns 0.
    void FailCall(const std::string& name, Result code, int times = -1);
    void ClearFailures();

    // --- RenderDevice ---
    Result Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    Result BeginScene() override;
    Result EndScene() override;
    Result Present() override;
    // Recorded as "SetPresentWait" with "1" or "0".
    Result SetPresentWait(bool wait) override;
    // Recorded; KeepImage marks an image as kept (FailCall("KeepImage") keeps none), and
    // RestoreImage fails while none is kept, as the device does.
    Result KeepImage() override;
    Result RestoreImage() override;
    Result SetRenderState(RenderStateType state, uint32_t value) override;
    Result SetTransform(TransformType type, const Matrix4& matrix) override;
    Result GetTransform(TransformType type, Matrix4* matrix) override;
    Result SetViewport(const Viewport& viewport) override;
    Result GetViewport(Viewport* viewport) override;
    Result SetLight(uint32_t index, const Light& light) override;
    Result LightEnable(uint32_t index, bool enable) override;
    Result SetMaterial(const Material& material) override;
    Result SetTexture(uint32_t stage, Texture* texture) override;
    Result SetTextureStageState(uint32_t stage, TextureStageStateType type, uint32_t value) override;
    Result CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                              VertexBuffer** buffer) override;
    Result SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) override;
    Result SetFVF(uint32_t fvf) override;
    Result DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) override;
    Result DrawSubset(const MeshData& mesh, uint32_t subset) override;
    Result CreateTextureFromFile(const std::string& path, Texture** texture) override;
    Result CaptureImage(const Rect& area, Texture** image) override;
    Result CreateFont(const FontDesc& desc, Font** font) override;

    // Largest vertex buffer the recorder allocates; longer requests fail with kErrOutOfVideoMemory.
    static constexpr uint32_t kMaxVertexBufferLength = 256u << 20;

private:
    std::string MeshLabel(const MeshData* mesh);

    std::shared_ptr<RecordingLog> log;
    std::map<TransformType, Matrix4> transforms;
    Viewport viewport;
    std::map<const MeshData*, std::string> meshLabels;
    uint32_t vertexBufferCount = 0;
    uint32_t unnamedMeshCount = 0;
    bool imageKept = false;
};

// Canonical texts used in the call list, for building expected lines in tests.
std::string FormatFloat(float value);
std::string FormatHex(uint32_t value);
std::string FormatColor(const Color4& color);   // "(r g b a)"
std::string FormatMatrix(const Matrix4& matrix);  // "[m0 m1 … m15]"
std::string FormatMaterial(const Material& material);

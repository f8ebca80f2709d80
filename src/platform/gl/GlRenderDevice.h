#pragma once
#include "platform/gl/GlApi.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/RenderDevice.h"
#include "platform/gl/GlBackBuffer.h"
#include "platform/gl/GlShaders.h"

class Window;
class GlFont;

// Shared by the device and everything it hands out: false once the device (and its GL context)
// is gone, so that objects released later skip their GL calls.
struct GlLife {
    bool alive = true;
};

// The OpenGL render device: fixed-function state kept on the CPU and handed to one shader
// program at each draw. Drawing goes into an off-screen back buffer of the requested size, which
// Present copies to the window.
class GlRenderDevice : public RenderDevice {
public:
    // Takes over a current GL context made for `window`; call Initialise before use.
    GlRenderDevice(Window* window, void* glContext);
    ~GlRenderDevice() override;

    // Builds the programs and the back buffer (width x height, `samples` samples, falling back to
    // none when refused). kOk, or the failure code of the device set-up.
    Result Initialise(int width, int height, int samples);

    Result Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) override;
    Result BeginScene() override;
    Result EndScene() override;
    Result Present() override;
    Result SetPresentWait(bool wait) override;
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
    Result CreateFont(const FontDesc& desc, Font** font) override;
    Result CaptureImage(const Rect& area, Texture** image) override;

    // Reads the back buffer as drawn so far: RGBA bytes, rows top to bottom. For tests and tools.
    bool ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height);
    int BackBufferWidth() const { return backBuffer_.Width(); }
    int BackBufferHeight() const { return backBuffer_.Height(); }
    // Samples per pixel of the back buffer (0: no multisampling).
    int Samples() const { return backBuffer_.Samples(); }

    // Text drawing for the device's fonts: the atlas texture, quads of (x, y, u, v) in back-buffer
    // pixels, the colour 0xAARRGGBB.
    void DrawGlyphQuads(GLuint atlas, const std::vector<float>& quads, uint32_t color);

private:
    struct MeshBuffers {
        GLuint vao = 0, vertexBuffer = 0, indexBuffer = 0;
        uint64_t fingerprint = 0;  // of the uploaded data, to notice another mesh at a reused address
    };

    void ApplySceneState();
    void ApplyViewport();
    const MeshBuffers* UploadMesh(const MeshData& mesh);
    static uint64_t Fingerprint(const MeshData& mesh);

    Window* window_;
    void* context_;
    std::shared_ptr<GlLife> life_ = std::make_shared<GlLife>();
    GlBackBuffer backBuffer_;
    SceneProgram scene_;       // any texture-stage settings
    SceneProgram untextured_;  // the same, specialised for the common settings
    SceneProgram modulate_;
    const SceneProgram* current_ = &scene_;  // the one the last draw used
    TextProgram text_;
    GLuint streamVao_ = 0;
    GLuint textVao_ = 0, textBuffer_ = 0;
    std::unordered_map<const MeshData*, MeshBuffers> meshes_;

    // Fixed-function state.
    Matrix4 world_{}, view_{}, projection_{};
    Viewport viewport_{};
    Light light_{};
    bool lightEnabled_ = false;
    Material material_{};
    bool zEnable_ = true;
    bool zWrite_ = true;
    uint32_t cullMode_ = kCullCounterClockwise;
    bool lighting_ = true;
    bool specularEnable_ = false;
    uint32_t ambient_ = 0;
    GLuint texture_ = 0;
    uint32_t colorOp_ = kTopModulate, colorArg1_ = kTaTexture, colorArg2_ = 1;
    uint32_t alphaOp_ = kTopSelectArg1, alphaArg1_ = kTaTexture, alphaArg2_ = 1;
    class GlVertexBuffer* stream_ = nullptr;
    uint32_t streamOffset_ = 0, streamStride_ = 0;
    uint32_t fvf_ = 0;
};

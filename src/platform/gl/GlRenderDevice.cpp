#include "platform/gl/GlRenderDevice.h"

#include <algorithm>
#include <cmath>

#include "platform/ImageFile.h"
#include "platform/LoadReport.h"
#include "platform/Window.h"
#include "platform/gl/GlFont.h"
#include "platform/gl/GlResources.h"
#include "platform/gl/GlSurface.h"

namespace {

void SetColor(GLint location, const Color4& c) { glUniform4f(location, c.r, c.g, c.b, c.a); }

// 0xAARRGGBB as four floats.
Color4 Unpack(uint32_t argb) {
    return Color4(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
                  ((argb >> 24) & 0xFF) / 255.0f);
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a(r, k) * b(k, c);
            out(r, c) = sum;
        }
    return out;
}

// The inverse of the upper 3x3 of m, row-major; the identity when it is singular.
void Inverse3x3(const Matrix4& m, float out[9]) {
    const float a = m(0, 0), b = m(0, 1), c = m(0, 2), d = m(1, 0), e = m(1, 1), f = m(1, 2), g = m(2, 0),
                h = m(2, 1), i = m(2, 2);
    const float det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (std::fabs(det) < 1e-30f) {
        const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        for (int k = 0; k < 9; ++k) out[k] = identity[k];
        return;
    }
    const float s = 1.0f / det;
    out[0] = (e * i - f * h) * s, out[1] = (c * h - b * i) * s, out[2] = (b * f - c * e) * s;
    out[3] = (f * g - d * i) * s, out[4] = (a * i - c * g) * s, out[5] = (c * d - a * f) * s;
    out[6] = (d * h - e * g) * s, out[7] = (b * g - a * h) * s, out[8] = (a * e - b * d) * s;
}

uint32_t VerticesOf(PrimitiveType type, uint32_t primitives) {
    switch (type) {
    case PrimitiveType::LineList: return primitives * 2;
    case PrimitiveType::TriangleList: return primitives * 3;
    }
    return 0;
}

constexpr uint32_t kFvfNormal = 0x010;
constexpr uint32_t kFvfPointSize = 0x020;
constexpr uint32_t kFvfDiffuse = 0x040;
constexpr uint32_t kFvfSpecular = 0x080;

}  // namespace

GlRenderDevice::GlRenderDevice(Window* window, void* glContext) : window_(window), context_(glContext) {
    Identity(&world_);
    Identity(&view_);
    Identity(&projection_);
    material_ = Material{Color4(1, 1, 1, 1), Color4(0, 0, 0, 0), Color4(0, 0, 0, 0), Color4(0, 0, 0, 0), 0.0f};
    light_ = Light{};
    light_.type = LightType::Directional;
    light_.diffuse = Color4(1, 1, 1, 0);
    light_.direction = Vec3(0, 0, 1);
}

GlRenderDevice::~GlRenderDevice() {
    life_->alive = false;
    for (auto& [mesh, buffers] : meshes_) {
        glDeleteVertexArrays(1, &buffers.vao);
        glDeleteBuffers(1, &buffers.vertexBuffer);
        glDeleteBuffers(1, &buffers.indexBuffer);
    }
    if (streamVao_) glDeleteVertexArrays(1, &streamVao_);
    if (textVao_) glDeleteVertexArrays(1, &textVao_);
    if (textBuffer_) glDeleteBuffers(1, &textBuffer_);
    for (const SceneProgram* p : {&scene_, &untextured_, &modulate_})
        if (p->program) glDeleteProgram(p->program);
    if (text_.program) glDeleteProgram(text_.program);
    backBuffer_.Release();
    if (context_) GlDeleteContext(context_);
}

Result GlRenderDevice::Initialise(int width, int height, int samples) {
    if (!BuildSceneProgram(&scene_) || !BuildSceneProgram(&untextured_, SceneStage::Untextured) ||
        !BuildSceneProgram(&modulate_, SceneStage::Modulate) || !BuildTextProgram(&text_))
        return kErrNotAvailable;
    if (!backBuffer_.Create(width, height, samples)) return kErrOutOfVideoMemory;
    glGenVertexArrays(1, &streamVao_);
    glGenVertexArrays(1, &textVao_);
    glGenBuffers(1, &textBuffer_);
    glBindVertexArray(textVao_);
    glBindBuffer(GL_ARRAY_BUFFER, textBuffer_);
    glEnableVertexAttribArray(kAttribPosition);
    glVertexAttribPointer(kAttribPosition, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(kAttribTexCoord);
    glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glBindVertexArray(0);
    viewport_ = Viewport{0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height), 0.0f, 1.0f};
    ApplyViewport();
#ifdef GL_MULTISAMPLE
    // OpenGL ES always draws multisampled buffers multisampled; desktop GL has a switch.
    glEnable(GL_MULTISAMPLE);
#endif
    return kOk;
}

void GlRenderDevice::ApplyViewport() {
    // The viewport's y runs down from the top of the image; GL's runs up from the bottom.
    const int bottom = backBuffer_.Height() - static_cast<int>(viewport_.y + viewport_.height);
    glViewport(static_cast<GLint>(viewport_.x), bottom, static_cast<GLsizei>(viewport_.width),
               static_cast<GLsizei>(viewport_.height));
    glDepthRange(viewport_.minZ, viewport_.maxZ);
}

Result GlRenderDevice::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    GLbitfield mask = 0;
    if (flags & kClearTarget) {
        const Color4 c = Unpack(color);
        glClearColor(c.r, c.g, c.b, c.a);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & kClearZBuffer) {
        glClearDepth(z);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & kClearStencil) {
        glClearStencil(static_cast<GLint>(stencil));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask == 0 || (flags & ~(kClearTarget | kClearZBuffer | kClearStencil))) return kErrInvalidCall;
    // A clear covers the viewport only, and must not be held back by the depth write state.
    const int bottom = backBuffer_.Height() - static_cast<int>(viewport_.y + viewport_.height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(static_cast<GLint>(viewport_.x), bottom, static_cast<GLsizei>(viewport_.width),
              static_cast<GLsizei>(viewport_.height));
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(mask);
    glDisable(GL_SCISSOR_TEST);
    return kOk;
}

Result GlRenderDevice::BeginScene() { return kOk; }
Result GlRenderDevice::EndScene() { return kOk; }

Result GlRenderDevice::Present() {
    int w = 0, h = 0;
    GlDrawableSize(window_, &w, &h);
    if (w > 0 && h > 0) backBuffer_.CopyToWindow(w, h);
    GlSwapWindow(window_);
    return glGetError() == GL_OUT_OF_MEMORY ? kErrOutOfVideoMemory : kOk;
}

Result GlRenderDevice::SetPresentWait(bool wait) {
    GlSetPresentWait(window_, wait);
    return kOk;
}

Result GlRenderDevice::KeepImage() { return backBuffer_.Keep() ? kOk : kFail; }

Result GlRenderDevice::RestoreImage() { return backBuffer_.Restore() ? kOk : kFail; }

Result GlRenderDevice::SetRenderState(RenderStateType state, uint32_t value) {
    switch (state) {
    case RenderStateType::ZEnable: zEnable_ = value != 0; break;
    case RenderStateType::ZWriteEnable: zWrite_ = value != 0; break;
    case RenderStateType::CullMode: cullMode_ = value; break;
    case RenderStateType::Lighting: lighting_ = value != 0; break;
    case RenderStateType::Ambient: ambient_ = value; break;
    case RenderStateType::SpecularEnable: specularEnable_ = value != 0; break;
    default: break;  // shade mode and the rest: Gouraud is the only shading drawn
    }
    return kOk;
}

Result GlRenderDevice::SetTransform(TransformType type, const Matrix4& matrix) {
    switch (type) {
    case TransformType::World: world_ = matrix; return kOk;
    case TransformType::View: view_ = matrix; return kOk;
    case TransformType::Projection: projection_ = matrix; return kOk;
    }
    return kErrInvalidCall;
}

Result GlRenderDevice::GetTransform(TransformType type, Matrix4* matrix) {
    if (!matrix) return kErrInvalidCall;
    switch (type) {
    case TransformType::World: *matrix = world_; return kOk;
    case TransformType::View: *matrix = view_; return kOk;
    case TransformType::Projection: *matrix = projection_; return kOk;
    }
    return kErrInvalidCall;
}

Result GlRenderDevice::SetViewport(const Viewport& viewport) {
    const uint64_t right = static_cast<uint64_t>(viewport.x) + viewport.width;
    const uint64_t bottom = static_cast<uint64_t>(viewport.y) + viewport.height;
    if (viewport.width == 0 || viewport.height == 0 || right > static_cast<uint64_t>(backBuffer_.Width()) ||
        bottom > static_cast<uint64_t>(backBuffer_.Height()) || viewport.minZ < 0.0f || viewport.maxZ > 1.0f ||
        viewport.minZ > viewport.maxZ)
        return kErrInvalidCall;
    viewport_ = viewport;
    ApplyViewport();
    return kOk;
}

Result GlRenderDevice::GetViewport(Viewport* viewport) {
    if (!viewport) return kErrInvalidCall;
    *viewport = viewport_;
    return kOk;
}

Result GlRenderDevice::SetLight(uint32_t index, const Light& light) {
    // The game lights its scenes with light 0 alone; other indices are accepted and not drawn.
    if (index == 0) light_ = light;
    return kOk;
}

Result GlRenderDevice::LightEnable(uint32_t index, bool enable) {
    if (index == 0) lightEnabled_ = enable;
    return kOk;
}

Result GlRenderDevice::SetMaterial(const Material& material) {
    material_ = material;
    return kOk;
}

Result GlRenderDevice::SetTexture(uint32_t stage, Texture* texture) {
    if (stage != 0) return kOk;  // only stage 0 is drawn
    texture_ = texture ? static_cast<GlTexture*>(texture)->Name() : 0;
    return kOk;
}

Result GlRenderDevice::SetTextureStageState(uint32_t stage, TextureStageStateType type, uint32_t value) {
    if (stage != 0) return kOk;
    switch (static_cast<uint32_t>(type)) {
    case 1: colorOp_ = value; break;
    case 2: colorArg1_ = value; break;
    case 3: colorArg2_ = value; break;
    case 4: alphaOp_ = value; break;
    case 5: alphaArg1_ = value; break;
    case 6: alphaArg2_ = value; break;
    default: break;
    }
    return kOk;
}

Result GlRenderDevice::CreateVertexBuffer(uint32_t length, uint32_t, uint32_t fvf, uint32_t, VertexBuffer** buffer) {
    if (!buffer) return kErrInvalidCall;
    *buffer = nullptr;
    if (length == 0) return kErrInvalidCall;
    // The buffer keeps a CPU copy; refuse sizes no game buffer comes near rather than fail to
    // allocate.
    constexpr uint32_t kMaxLength = 256u << 20;
    if (length > kMaxLength) return kErrOutOfVideoMemory;
    *buffer = new GlVertexBuffer(life_, length, fvf);
    return kOk;
}

Result GlRenderDevice::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) {
    if (stream != 0) return kErrInvalidCall;
    stream_ = static_cast<GlVertexBuffer*>(buffer);
    streamOffset_ = offset;
    streamStride_ = stride;
    return kOk;
}

Result GlRenderDevice::SetFVF(uint32_t fvf) {
    if (!(fvf & kFvfXyz)) return kErrInvalidCall;
    fvf_ = fvf;
    return kOk;
}

void GlRenderDevice::ApplySceneState() {
    if (zEnable_) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthMask(zWrite_ ? GL_TRUE : GL_FALSE);
    if (cullMode_ == kCullClockwise || cullMode_ == kCullCounterClockwise) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        // Culling counter-clockwise triangles, so clockwise ones are the front.
        glFrontFace(cullMode_ == kCullCounterClockwise ? GL_CW : GL_CCW);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glDisable(GL_BLEND);

    // The program specialised for the stage settings when there is one: the same arithmetic
    // without the branches on settings.
    if (texture_ == 0 || colorOp_ == kTopDisable) {
        current_ = &untextured_;
    } else if (colorOp_ == kTopModulate && colorArg1_ == kTaTexture && (colorArg2_ == kTaDiffuse || colorArg2_ == 1) &&
               alphaOp_ == kTopDisable) {
        current_ = &modulate_;
    } else {
        current_ = &scene_;
    }
    const SceneProgram& p = *current_;
    glUseProgram(p.program);
    const Matrix4 worldView = Multiply(world_, view_);
    glUniformMatrix4fv(p.worldView, 1, GL_FALSE, worldView.m);
    glUniformMatrix4fv(p.projection, 1, GL_FALSE, projection_.m);
    // Row vectors: a normal goes through the transposed inverse, which in GL's column form is
    // the inverse itself read row by row.
    float normal[9];
    Inverse3x3(worldView, normal);
    glUniformMatrix3fv(p.normalMatrix, 1, GL_TRUE, normal);
    glUniform1i(p.lighting, lighting_);
    glUniform1i(p.lightEnabled, lightEnabled_ && light_.type == LightType::Directional);
    glUniform1i(p.specularEnabled, specularEnable_);
    SetColor(p.lightDiffuse, light_.diffuse);
    SetColor(p.lightSpecular, light_.specular);
    SetColor(p.lightAmbient, light_.ambient);
    // The light's direction in view space, as the lighting is computed there.
    const Vec3& d = light_.direction;
    Vec3 v(d.x * view_(0, 0) + d.y * view_(1, 0) + d.z * view_(2, 0), d.x * view_(0, 1) + d.y * view_(1, 1) + d.z * view_(2, 1),
           d.x * view_(0, 2) + d.y * view_(1, 2) + d.z * view_(2, 2));
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length > 0.0f) v = v * (1.0f / length);
    glUniform3f(p.lightDirection, v.x, v.y, v.z);
    SetColor(p.materialDiffuse, material_.diffuse);
    SetColor(p.materialAmbient, material_.ambient);
    SetColor(p.materialSpecular, material_.specular);
    SetColor(p.materialEmissive, material_.emissive);
    glUniform1f(p.materialPower, material_.power);
    SetColor(p.globalAmbient, Unpack(ambient_));
    glUniform1i(p.hasTexture, texture_ != 0);
    glUniform1i(p.colorOp, static_cast<GLint>(colorOp_));
    glUniform1i(p.colorArg1, static_cast<GLint>(colorArg1_));
    glUniform1i(p.colorArg2, static_cast<GLint>(colorArg2_));
    glUniform1i(p.alphaOp, static_cast<GLint>(alphaOp_));
    glUniform1i(p.alphaArg1, static_cast<GLint>(alphaArg1_));
    glUniform1i(p.alphaArg2, static_cast<GLint>(alphaArg2_));
    glUniform1i(p.sampler, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture_);
}

Result GlRenderDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    if (!stream_ || streamStride_ == 0 || !(fvf_ & kFvfXyz)) return kErrInvalidCall;
    const uint32_t count = VerticesOf(type, primitiveCount);
    if (count == 0) return type == PrimitiveType::LineList || type == PrimitiveType::TriangleList ? kOk : kErrInvalidCall;
    const uint64_t end = streamOffset_ + (static_cast<uint64_t>(startVertex) + count) * streamStride_;
    if (end > stream_->Length()) return kErrInvalidCall;

    ApplySceneState();
    glBindVertexArray(streamVao_);
    glBindBuffer(GL_ARRAY_BUFFER, stream_->Name());
    // Lay the attributes out as the vertex format orders them.
    uintptr_t offset = streamOffset_;
    const auto attribute = [&](GLuint slot, GLint size, GLenum type, GLboolean normalised, uint32_t bytes) {
        glEnableVertexAttribArray(slot);
        glVertexAttribPointer(slot, size, type, normalised, static_cast<GLsizei>(streamStride_),
                              reinterpret_cast<const void*>(offset));
        offset += bytes;
    };
    attribute(kAttribPosition, 3, GL_FLOAT, GL_FALSE, 12);
    if (fvf_ & kFvfNormal) {
        attribute(kAttribNormal, 3, GL_FLOAT, GL_FALSE, 12);
    } else {
        // No normal: diffuse and specular light nothing; emissive and ambient remain.
        glDisableVertexAttribArray(kAttribNormal);
        glVertexAttrib3f(kAttribNormal, 0.0f, 0.0f, 0.0f);
    }
    if (fvf_ & kFvfPointSize) offset += 4;
    if (fvf_ & kFvfDiffuse) {
        // Colours are stored 0xAARRGGBB, that is B, G, R, A in memory. OpenGL ES cannot read
        // that order, so there the shader swaps the channels.
#ifdef GL_BGRA
        attribute(kAttribColor, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, 4);
#else
        attribute(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, 4);
#endif
    } else {
        glDisableVertexAttribArray(kAttribColor);
    }
    glUniform1i(current_->vertexColor, (fvf_ & kFvfDiffuse) != 0);
    if (fvf_ & kFvfSpecular) offset += 4;
    if ((fvf_ & 0xF00) != 0) {
        attribute(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, 8);
    } else {
        glDisableVertexAttribArray(kAttribTexCoord);
        glVertexAttrib2f(kAttribTexCoord, 0.0f, 0.0f);
    }
    glDrawArrays(type == PrimitiveType::LineList ? GL_LINES : GL_TRIANGLES, static_cast<GLint>(startVertex),
                 static_cast<GLsizei>(count));
    glBindVertexArray(0);
    return kOk;
}

uint64_t GlRenderDevice::Fingerprint(const MeshData& mesh) {
    // Sizes, addresses and a few vertices and indices spread over the mesh: constant time per
    // draw, and enough to tell a mesh from another that was made where a freed one lived.
    uint64_t h = 1469598103934665603ull;
    const auto mix = [&h](const void* data, size_t bytes) {
        const auto* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < bytes; ++i) h = (h ^ p[i]) * 1099511628211ull;
    };
    const size_t sizes[3] = {mesh.vertices.size(), mesh.indices.size(), mesh.subsets.size()};
    mix(sizes, sizeof sizes);
    const void* addresses[2] = {mesh.vertices.data(), mesh.indices.data()};
    mix(addresses, sizeof addresses);
    for (size_t k = 0; k < 8 && !mesh.vertices.empty(); ++k)
        mix(&mesh.vertices[k * (mesh.vertices.size() - 1) / 7], sizeof(MeshVertex));
    for (size_t k = 0; k < 8 && !mesh.indices.empty(); ++k)
        mix(&mesh.indices[k * (mesh.indices.size() - 1) / 7], sizeof(uint32_t));
    return h;
}

const GlRenderDevice::MeshBuffers* GlRenderDevice::UploadMesh(const MeshData& mesh) {
    const uint64_t fingerprint = Fingerprint(mesh);
    auto it = meshes_.find(&mesh);
    if (it != meshes_.end()) {
        if (it->second.fingerprint == fingerprint) return &it->second;
        // Another mesh now lives at this address: forget the old upload.
        glDeleteVertexArrays(1, &it->second.vao);
        glDeleteBuffers(1, &it->second.vertexBuffer);
        glDeleteBuffers(1, &it->second.indexBuffer);
        meshes_.erase(it);
    }
    MeshBuffers b;
    b.fingerprint = fingerprint;
    glGenVertexArrays(1, &b.vao);
    glGenBuffers(1, &b.vertexBuffer);
    glGenBuffers(1, &b.indexBuffer);
    glBindVertexArray(b.vao);
    glBindBuffer(GL_ARRAY_BUFFER, b.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(MeshVertex)),
                 mesh.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(uint32_t)),
                 mesh.indices.data(), GL_STATIC_DRAW);
    const GLsizei stride = sizeof(MeshVertex);
    glEnableVertexAttribArray(kAttribPosition);
    glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(MeshVertex, position)));
    glEnableVertexAttribArray(kAttribNormal);
    glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(MeshVertex, normal)));
    glEnableVertexAttribArray(kAttribTexCoord);
    glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(MeshVertex, u)));
    glBindVertexArray(0);
    return &meshes_.emplace(&mesh, b).first->second;
}

Result GlRenderDevice::DrawSubset(const MeshData& mesh, uint32_t subset) {
    // A subset the mesh does not have, or one without faces, draws nothing.
    if (subset >= mesh.subsets.size()) return kOk;
    const MeshSubset& range = mesh.subsets[subset];
    if (range.indexCount == 0) return kOk;
    if (static_cast<uint64_t>(range.indexStart) + range.indexCount > mesh.indices.size()) return kErrInvalidCall;
    const MeshBuffers* b = UploadMesh(mesh);
    ApplySceneState();
    glUniform1i(current_->vertexColor, 0);
    glBindVertexArray(b->vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(range.indexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(static_cast<uintptr_t>(range.indexStart) * sizeof(uint32_t)));
    glBindVertexArray(0);
    return kOk;
}

Result GlRenderDevice::CreateTextureFromFile(const std::string& path, Texture** texture) {
    if (!texture) return kErrInvalidCall;
    *texture = nullptr;
    EncodedImage file;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    std::string reason;
    // Checked now, so a file that cannot be a texture fails here; decoded when first drawn.
    if (!ReadImageFile(path, &file, std::min<int>(kMaxImageSide, maxSize), &reason)) {
        LoadReport(path, reason);
        return kFail;
    }
    *texture = new GlTexture(life_, path, std::move(file));
    return kOk;
}

Result GlRenderDevice::CreateFont(const FontDesc& desc, Font** font) {
    if (!font) return kErrInvalidCall;
    *font = GlFont::Create(this, life_, desc);
    return *font ? kOk : kFail;
}

bool GlRenderDevice::ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height) {
    backBuffer_.Read(rgba);
    *width = backBuffer_.Width();
    *height = backBuffer_.Height();
    return !rgba->empty();
}

void GlRenderDevice::DrawGlyphQuads(GLuint atlas, const std::vector<float>& quads, uint32_t color) {
    if (quads.empty()) return;
    // Text lies over the scene: no depth test, no culling, coverage blended in; over the whole
    // back buffer whatever the viewport.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, backBuffer_.Width(), backBuffer_.Height());
    glUseProgram(text_.program);
    glUniform2f(text_.screenSize, static_cast<float>(backBuffer_.Width()), static_cast<float>(backBuffer_.Height()));
    const Color4 c = Unpack(color);
    glUniform4f(text_.color, c.r, c.g, c.b, c.a);
    glUniform1i(text_.sampler, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, atlas);
    glBindVertexArray(textVao_);
    glBindBuffer(GL_ARRAY_BUFFER, textBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads.size() * sizeof(float)), quads.data(), GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quads.size() / 4));
    glBindVertexArray(0);
    glDisable(GL_BLEND);
    ApplyViewport();
}

Result GlRenderDevice::CaptureImage(const Rect& area, Texture** image) {
    if (!image) return kErrInvalidCall;
    *image = nullptr;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (area.left < 0 || area.top < 0 || width <= 0 || height <= 0 || area.right > backBuffer_.Width() ||
        area.bottom > backBuffer_.Height())
        return kErrInvalidCall;
    while (glGetError() != GL_NO_ERROR) {}
    backBuffer_.ReadableFramebuffer();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // GL rows run bottom to top: the area's bottom edge is this far above the image's.
    const int bottom = backBuffer_.Height() - area.bottom;
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, area.left, bottom, width, height, 0);
    glBindTexture(GL_TEXTURE_2D, texture_);
    backBuffer_.Bind();
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        return kFail;
    }
    *image = new GlTexture(life_, name);
    return kOk;
}

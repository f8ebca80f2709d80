#include "platform/RecordingDevice.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "platform/ImageFile.h"
#include "platform/LoadReport.h"

// The call list and the injected failures, shared by the device and the buffers and fonts it
// made, so that those still record after the device is deleted.
struct RecordingLog {
    struct Failure {
        Result code;
        int times;  // < 0: always
    };
    std::vector<RecordedCall> calls;
    std::map<std::string, Failure> failures;

    // The code the call must fail with, or kOk; counts down a limited failure.
    Result TakeFailure(const std::string& name) {
        auto it = failures.find(name);
        if (it == failures.end()) return kOk;
        const Result code = it->second.code;
        if (it->second.times > 0 && --it->second.times == 0) failures.erase(it);
        return code;
    }

    RecordedCall& Add(std::string name, std::string args, Result result) {
        RecordedCall& call = calls.emplace_back();
        call.name = std::move(name);
        call.args = std::move(args);
        call.result = result;
        return call;
    }
};

// ---------------------------------------------------------------------------------------------
// Canonical texts

std::string FormatFloat(float value) {
    // Shortest text that reads back to the same float, so that equal texts mean equal floats.
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string FormatHex(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08x", value);
    return buffer;
}

std::string FormatColor(const Color4& c) {
    return "(" + FormatFloat(c.r) + " " + FormatFloat(c.g) + " " + FormatFloat(c.b) + " " + FormatFloat(c.a) + ")";
}

static std::string FormatVec(const Vec3& v) {
    return "(" + FormatFloat(v.x) + " " + FormatFloat(v.y) + " " + FormatFloat(v.z) + ")";
}

std::string FormatMatrix(const Matrix4& matrix) {
    std::string text = "[";
    for (int i = 0; i < 16; ++i) {
        if (i) text += ' ';
        text += FormatFloat(matrix.m[i]);
    }
    return text + "]";
}

std::string FormatMaterial(const Material& m) {
    return "diffuse=" + FormatColor(m.diffuse) + " ambient=" + FormatColor(m.ambient) +
           " specular=" + FormatColor(m.specular) + " emissive=" + FormatColor(m.emissive) +
           " power=" + FormatFloat(m.power);
}

static std::string FormatLight(const Light& l) {
    std::string type;
    switch (l.type) {
        case LightType::Point: type = "Point"; break;
        case LightType::Spot: type = "Spot"; break;
        case LightType::Directional: type = "Directional"; break;
        default: type = std::to_string(static_cast<uint32_t>(l.type));
    }
    return "type=" + type + " diffuse=" + FormatColor(l.diffuse) + " specular=" + FormatColor(l.specular) +
           " ambient=" + FormatColor(l.ambient) + " position=" + FormatVec(l.position) +
           " direction=" + FormatVec(l.direction) + " range=" + FormatFloat(l.range) +
           " falloff=" + FormatFloat(l.falloff) + " attenuation=(" + FormatFloat(l.attenuation0) + " " +
           FormatFloat(l.attenuation1) + " " + FormatFloat(l.attenuation2) + ") theta=" + FormatFloat(l.theta) +
           " phi=" + FormatFloat(l.phi);
}

static std::string TransformName(TransformType type) {
    switch (type) {
        case TransformType::View: return "View";
        case TransformType::Projection: return "Projection";
        case TransformType::World: return "World";
    }
    return std::to_string(static_cast<uint32_t>(type));
}

static std::string RenderStateName(RenderStateType state) {
    switch (state) {
        case RenderStateType::ZEnable: return "ZEnable";
        case RenderStateType::ShadeMode: return "ShadeMode";
        case RenderStateType::Lighting: return "Lighting";
        case RenderStateType::Ambient: return "Ambient";
        case RenderStateType::SpecularEnable: return "SpecularEnable";
        case RenderStateType::ZWriteEnable: return "ZWriteEnable";
        case RenderStateType::CullMode: return "CullMode";
    }
    return std::to_string(static_cast<uint32_t>(state));
}

static std::string StageStateName(TextureStageStateType type) {
    switch (type) {
        case TextureStageStateType::ColorOp: return "ColorOp";
        case TextureStageStateType::ColorArg1: return "ColorArg1";
        case TextureStageStateType::ColorArg2: return "ColorArg2";
        case TextureStageStateType::AlphaOp: return "AlphaOp";
    }
    return std::to_string(static_cast<uint32_t>(type));
}

static std::string PrimitiveName(PrimitiveType type) {
    switch (type) {
        case PrimitiveType::LineList: return "LineList";
        case PrimitiveType::TriangleList: return "TriangleList";
    }
    return std::to_string(static_cast<uint32_t>(type));
}

// The text in double quotes, with quotes, backslashes and control characters escaped.
static std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", static_cast<unsigned char>(c));
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

static std::string TextureLabel(const Texture* texture) {
    if (!texture) return "null";
    if (auto* recorded = dynamic_cast<const RecordingTexture*>(texture)) return Quote(recorded->path);
    return "texture";
}

static std::string BufferLabel(const VertexBuffer* buffer) {
    if (!buffer) return "null";
    if (auto* recorded = dynamic_cast<const RecordingVertexBuffer*>(buffer)) return recorded->Label();
    return "buffer";
}

std::string RecordedCall::Line() const { return name + "(" + args + ")"; }

// ---------------------------------------------------------------------------------------------
// Vertex buffer and font

RecordingVertexBuffer::RecordingVertexBuffer(std::shared_ptr<RecordingLog> log_, std::string label_,
                                             uint32_t length)
    : log(std::move(log_)), label(std::move(label_)), bytes(length, 0) {}

Result RecordingVertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) {
    const std::string args = label + ", " + std::to_string(offset) + ", " + std::to_string(size) + ", " + FormatHex(flags);
    Result result = log->TakeFailure("Lock");
    const uint64_t end = static_cast<uint64_t>(offset) + (size ? size : bytes.size() - std::min<uint64_t>(offset, bytes.size()));
    if (result == kOk && (!data || locked || offset > bytes.size() || end > bytes.size())) result = kErrInvalidCall;
    if (result == kOk) {
        *data = bytes.data() + offset;
        locked = true;
    }
    log->Add("Lock", args, result);
    return result;
}

Result RecordingVertexBuffer::Unlock() {
    Result result = log->TakeFailure("Unlock");
    if (result == kOk && !locked) result = kErrInvalidCall;
    if (result == kOk) locked = false;
    log->Add("Unlock", label, result);
    return result;
}

std::vector<float> RecordingVertexBuffer::Floats() const {
    std::vector<float> floats(bytes.size() / sizeof(float));
    if (!floats.empty()) std::memcpy(floats.data(), bytes.data(), floats.size() * sizeof(float));
    return floats;
}

namespace {

class RecordingFont : public Font {
public:
    RecordingFont(std::shared_ptr<RecordingLog> log_, int lineHeight_)
        : log(std::move(log_)), lineHeight(lineHeight_) {}

    // Half the line height a character, the widest line counting.
    int TextWidth(const std::string& text) override {
        size_t widest = 0, line = 0;
        for (char c : text) {
            line = c == '\n' ? 0 : line + 1;
            widest = std::max(widest, line);
        }
        return static_cast<int>(widest) * lineHeight / 2;
    }

    int DrawText(const char* text, int count, const Rect& rect, uint32_t format, uint32_t color) override {
        std::string drawn;
        if (text) drawn = count < 0 ? std::string(text) : std::string(text, strnlen(text, count));
        const Result failure = log->TakeFailure("DrawText");
        // The height of the lines drawn, as a font of the description's height would.
        int lines = 1;
        for (char c : drawn) lines += c == '\n';
        const int height = (failure != kOk || !text) ? 0 : lines * lineHeight;
        RecordedCall& call = log->Add("DrawText",
                                      Quote(drawn) + ", " + std::to_string(count) + ", (" + std::to_string(rect.left) +
                                          " " + std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
                                          std::to_string(rect.bottom) + "), " + FormatHex(format) + ", " + FormatHex(color),
                                      height ? kOk : (failure != kOk ? failure : kErrInvalidCall));
        call.text = drawn;
        call.rect = rect;
        call.color = color;
        call.object = this;
        return height;
    }

private:
    std::shared_ptr<RecordingLog> log;
    int lineHeight;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Device

RecordingDevice::RecordingDevice(uint32_t width, uint32_t height)
    : log(std::make_shared<RecordingLog>()), viewport{0, 0, width, height, 0.0f, 1.0f} {
    Matrix4 identity;
    Identity(&identity);
    transforms[TransformType::View] = identity;
    transforms[TransformType::Projection] = identity;
    transforms[TransformType::World] = identity;
}

RecordingDevice::~RecordingDevice() = default;

const std::vector<RecordedCall>& RecordingDevice::Calls() const { return log->calls; }

std::vector<std::string> RecordingDevice::Lines() const {
    std::vector<std::string> lines;
    for (const RecordedCall& call : log->calls) lines.push_back(call.Line());
    return lines;
}

std::vector<std::string> RecordingDevice::Lines(const std::vector<std::string>& names) const {
    std::vector<std::string> lines;
    for (const RecordedCall& call : log->calls)
        for (const std::string& name : names)
            if (call.name == name) {
                lines.push_back(call.Line());
                break;
            }
    return lines;
}

std::vector<RecordedCall> RecordingDevice::CallsNamed(std::string_view name) const {
    std::vector<RecordedCall> calls;
    for (const RecordedCall& call : log->calls)
        if (call.name == name) calls.push_back(call);
    return calls;
}

void RecordingDevice::ClearCalls() { log->calls.clear(); }

void RecordingDevice::NameMesh(const MeshData* mesh, const std::string& label) { meshLabels[mesh] = label; }

void RecordingDevice::FailCall(const std::string& name, Result code, int times) {
    if (times == 0) return;
    log->failures[name] = RecordingLog::Failure{code, times};
}

void RecordingDevice::ClearFailures() { log->failures.clear(); }

std::string RecordingDevice::MeshLabel(const MeshData* mesh) {
    auto [it, added] = meshLabels.try_emplace(mesh);
    if (added) it->second = "mesh" + std::to_string(++unnamedMeshCount);
    return it->second;
}

Result RecordingDevice::Clear(uint32_t flags, uint32_t color, float z, uint32_t stencil) {
    RecordedCall& call = log->Add("Clear",
                                  std::to_string(flags) + ", " + FormatHex(color) + ", " + FormatFloat(z) + ", " +
                                      std::to_string(stencil),
                                  log->TakeFailure("Clear"));
    call.color = color;
    return call.result;
}

Result RecordingDevice::BeginScene() { return log->Add("BeginScene", "", log->TakeFailure("BeginScene")).result; }

Result RecordingDevice::EndScene() { return log->Add("EndScene", "", log->TakeFailure("EndScene")).result; }

Result RecordingDevice::Present() { return log->Add("Present", "", log->TakeFailure("Present")).result; }

Result RecordingDevice::SetPresentWait(bool wait) {
    return log->Add("SetPresentWait", wait ? "1" : "0", log->TakeFailure("SetPresentWait")).result;
}

Result RecordingDevice::KeepImage() {
    const Result result = log->Add("KeepImage", "", log->TakeFailure("KeepImage")).result;
    imageKept = !Failed(result);
    return result;
}

Result RecordingDevice::RestoreImage() {
    Result result = log->TakeFailure("RestoreImage");
    if (!Failed(result) && !imageKept) result = kFail;
    return log->Add("RestoreImage", "", result).result;
}

Result RecordingDevice::SetRenderState(RenderStateType state, uint32_t value) {
    // The ambient state is a colour; the others are small numbers.
    const std::string text = state == RenderStateType::Ambient ? FormatHex(value) : std::to_string(value);
    return log->Add("SetRenderState", RenderStateName(state) + ", " + text, log->TakeFailure("SetRenderState")).result;
}

Result RecordingDevice::SetTransform(TransformType type, const Matrix4& matrix) {
    RecordedCall& call =
        log->Add("SetTransform", TransformName(type) + ", " + FormatMatrix(matrix), log->TakeFailure("SetTransform"));
    call.matrix = matrix;
    if (call.result == kOk) transforms[type] = matrix;
    return call.result;
}

Result RecordingDevice::GetTransform(TransformType type, Matrix4* matrix) {
    Result result = log->TakeFailure("GetTransform");
    auto it = transforms.find(type);
    if (result == kOk && (!matrix || it == transforms.end())) result = kErrInvalidCall;
    RecordedCall& call = log->Add("GetTransform", TransformName(type), result);
    if (result == kOk) {
        *matrix = it->second;
        call.matrix = it->second;
    }
    return result;
}

Result RecordingDevice::SetViewport(const Viewport& v) {
    const Result result = log->TakeFailure("SetViewport");
    log->Add("SetViewport",
             std::to_string(v.x) + ", " + std::to_string(v.y) + ", " + std::to_string(v.width) + ", " +
                 std::to_string(v.height) + ", " + FormatFloat(v.minZ) + ", " + FormatFloat(v.maxZ),
             result);
    if (result == kOk) viewport = v;
    return result;
}

Result RecordingDevice::GetViewport(Viewport* v) {
    Result result = log->TakeFailure("GetViewport");
    if (result == kOk && !v) result = kErrInvalidCall;
    if (result == kOk) *v = viewport;
    return log->Add("GetViewport", "", result).result;
}

Result RecordingDevice::SetLight(uint32_t index, const Light& light) {
    RecordedCall& call =
        log->Add("SetLight", std::to_string(index) + ", " + FormatLight(light), log->TakeFailure("SetLight"));
    call.light = light;
    call.index = index;
    return call.result;
}

Result RecordingDevice::LightEnable(uint32_t index, bool enable) {
    RecordedCall& call = log->Add("LightEnable", std::to_string(index) + ", " + (enable ? "1" : "0"),
                                  log->TakeFailure("LightEnable"));
    call.index = index;
    return call.result;
}

Result RecordingDevice::SetMaterial(const Material& material) {
    RecordedCall& call = log->Add("SetMaterial", FormatMaterial(material), log->TakeFailure("SetMaterial"));
    call.material = material;
    return call.result;
}

Result RecordingDevice::SetTexture(uint32_t stage, Texture* texture) {
    RecordedCall& call = log->Add("SetTexture", std::to_string(stage) + ", " + TextureLabel(texture),
                                  log->TakeFailure("SetTexture"));
    call.index = stage;
    call.object = texture;
    return call.result;
}

Result RecordingDevice::SetTextureStageState(uint32_t stage, TextureStageStateType type, uint32_t value) {
    RecordedCall& call =
        log->Add("SetTextureStageState", std::to_string(stage) + ", " + StageStateName(type) + ", " + std::to_string(value),
                 log->TakeFailure("SetTextureStageState"));
    call.index = stage;
    return call.result;
}

Result RecordingDevice::CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, uint32_t pool,
                                           VertexBuffer** buffer) {
    Result result = log->TakeFailure("CreateVertexBuffer");
    if (result == kOk && (!buffer || length == 0)) result = kErrInvalidCall;
    if (result == kOk && length > kMaxVertexBufferLength) result = kErrOutOfVideoMemory;
    std::string label;
    if (result == kOk) {
        label = "vb" + std::to_string(++vertexBufferCount);
        *buffer = new RecordingVertexBuffer(log, label, length);
    } else if (buffer) {
        *buffer = nullptr;
    }
    RecordedCall& call = log->Add("CreateVertexBuffer",
                                  std::to_string(length) + ", " + std::to_string(usage) + ", " + FormatHex(fvf) + ", " +
                                      std::to_string(pool),
                                  result);
    call.text = label;
    return result;
}

Result RecordingDevice::SetStreamSource(uint32_t stream, VertexBuffer* buffer, uint32_t offset, uint32_t stride) {
    RecordedCall& call = log->Add("SetStreamSource",
                                  std::to_string(stream) + ", " + BufferLabel(buffer) + ", " + std::to_string(offset) +
                                      ", " + std::to_string(stride),
                                  log->TakeFailure("SetStreamSource"));
    call.object = buffer;
    call.index = stream;
    return call.result;
}

Result RecordingDevice::SetFVF(uint32_t fvf) { return log->Add("SetFVF", FormatHex(fvf), log->TakeFailure("SetFVF")).result; }

Result RecordingDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    return log
        ->Add("DrawPrimitive",
              PrimitiveName(type) + ", " + std::to_string(startVertex) + ", " + std::to_string(primitiveCount),
              log->TakeFailure("DrawPrimitive"))
        .result;
}

Result RecordingDevice::DrawSubset(const MeshData& mesh, uint32_t subset) {
    Result result = log->TakeFailure("DrawSubset");
    RecordedCall& call = log->Add("DrawSubset", MeshLabel(&mesh) + ", " + std::to_string(subset), result);
    call.mesh = &mesh;
    call.index = subset;
    return result;
}

Result RecordingDevice::CreateTextureFromFile(const std::string& path, Texture** texture) {
    Result result = log->TakeFailure("CreateTextureFromFile");
    if (texture) *texture = nullptr;
    if (result == kOk) {
        // Checked with the game's own bounds to tell an image from anything else. The pixels
        // are never needed here: a PNG, whose chunk walk already finds a file cut short, is not
        // decoded; other formats are, as their headers say little about the rest.
        EncodedImage image;
        RgbaImage pixels;
        std::string reason;
        if (texture && ReadImageFile(path, &image, kMaxImageSide, &reason) &&
            (image.png || DecodeImage(image, &pixels, &reason))) {
            auto* made = new RecordingTexture;
            made->path = path;
            made->width = image.width;
            made->height = image.height;
            *texture = made;
        } else {
            if (texture) LoadReport(path, reason);
            result = kErrInvalidCall;
        }
    }
    RecordedCall& call = log->Add("CreateTextureFromFile", Quote(path), result);
    call.text = path;
    return result;
}

Result RecordingDevice::CaptureImage(const Rect& area, Texture** image) {
    Result result = log->TakeFailure("CaptureImage");
    if (image) *image = nullptr;
    if (result == kOk && (!image || area.right <= area.left || area.bottom <= area.top)) result = kErrInvalidCall;
    if (result == kOk) {
        auto* made = new RecordingTexture;
        made->path = "captured";
        made->width = static_cast<uint32_t>(area.right - area.left);
        made->height = static_cast<uint32_t>(area.bottom - area.top);
        *image = made;
    }
    return log->Add("CaptureImage",
                    std::to_string(area.left) + " " + std::to_string(area.top) + " " + std::to_string(area.right) +
                        " " + std::to_string(area.bottom),
                    result)
        .result;
}

Result RecordingDevice::CreateFont(const FontDesc& desc, Font** font) {
    Result result = log->TakeFailure("CreateFont");
    if (result == kOk && !font) result = kErrInvalidCall;
    const std::string face(desc.faceName, strnlen(desc.faceName, sizeof desc.faceName));
    if (result == kOk) {
        *font = new RecordingFont(log, desc.height != 0 ? std::abs(desc.height) : 16);
    } else if (font) {
        *font = nullptr;
    }
    log->Add("CreateFont",
             std::to_string(desc.height) + ", " + std::to_string(desc.width) + ", " + std::to_string(desc.weight) + ", " +
                 std::to_string(desc.mipLevels) + ", " + (desc.italic ? "1" : "0") + ", " +
                 std::to_string(desc.charSet) + ", " + Quote(face),
             result);
    return result;
}

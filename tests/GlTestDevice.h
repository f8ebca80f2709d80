#pragma once
// A real GL render device on a small hidden window for pixel tests, through SDL's offscreen
// driver (no X server needed); the test is skipped when it has no GL.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <cstdlib>
#include <string>
#include <vector>

#include "math/MathFunctions.h"
#include "platform/MeshData.h"
#include "platform/OffscreenGraphics.h"
#include "platform/gl/GlRenderDevice.h"

struct Rgb {
    int r, g, b;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// True when each channel is within `tolerance` of the expected value.
inline bool Near(const Rgb& got, const Rgb& expected, int tolerance = 6) {
    return std::abs(got.r - expected.r) <= tolerance && std::abs(got.g - expected.g) <= tolerance &&
           std::abs(got.b - expected.b) <= tolerance;
}

// The view matrix of a camera with the given axes at `position` (row vectors, left-handed).
inline Matrix4 ViewFromAxes(const Vec3& right, const Vec3& up, const Vec3& look, const Vec3& position) {
    Matrix4 v;
    Identity(&v);
    v(0, 0) = right.x, v(1, 0) = right.y, v(2, 0) = right.z;
    v(0, 1) = up.x, v(1, 1) = up.y, v(2, 1) = up.z;
    v(0, 2) = look.x, v(1, 2) = look.y, v(2, 2) = look.z;
    v(3, 0) = -Dot(position, right), v(3, 1) = -Dot(position, up), v(3, 2) = -Dot(position, look);
    return v;
}

// A square of side 2*half in the plane z = `z`, centred on (cx, cy), normals towards -z, texture
// coordinate (0, 0) at its (-x, -y) corner; `facingMinusZ` winds it clockwise as seen from -z.
inline void AddSquare(MeshData* mesh, float cx, float cy, float z, float half, bool facingMinusZ = true) {
    const uint32_t base = static_cast<uint32_t>(mesh->vertices.size());
    const float nz = facingMinusZ ? -1.0f : 1.0f;
    mesh->vertices.push_back({Vec3(cx - half, cy - half, z), Vec3(0, 0, nz), 0, 0});
    mesh->vertices.push_back({Vec3(cx + half, cy - half, z), Vec3(0, 0, nz), 1, 0});
    mesh->vertices.push_back({Vec3(cx + half, cy + half, z), Vec3(0, 0, nz), 1, 1});
    mesh->vertices.push_back({Vec3(cx - half, cy + half, z), Vec3(0, 0, nz), 0, 1});
    // Seen from -z with y up and x right, 0-3-2 runs clockwise.
    const uint32_t front[6] = {0, 3, 2, 0, 2, 1};
    const uint32_t back[6] = {0, 2, 3, 0, 1, 2};
    for (uint32_t i : facingMinusZ ? front : back) mesh->indices.push_back(base + i);
}

// One subset per call, covering the indices added since the previous call.
inline void CloseSubset(MeshData* mesh, const Material& material) {
    uint32_t start = 0;
    for (const MeshSubset& s : mesh->subsets) start = s.indexStart + s.indexCount;
    mesh->subsets.push_back({start, static_cast<uint32_t>(mesh->indices.size()) - start});
    mesh->materials.push_back({material, ""});
}

inline Material SolidMaterial(float r, float g, float b) {
    return Material{Color4(r, g, b, 1), Color4(0, 0, 0, 1), Color4(0, 0, 0, 1), Color4(0, 0, 0, 1), 1.0f};
}

// A mesh of one such square in one subset of `material`.
inline MeshData Square(float cx, float cy, float z, float half, const Material& material, bool facingMinusZ = true) {
    MeshData mesh;
    AddSquare(&mesh, cx, cy, z, half, facingMinusZ);
    CloseSubset(&mesh, material);
    return mesh;
}

// The game's white directional light shining along `direction`, with the given ambient grey.
inline Light WhiteLight(const Vec3& direction, float ambient) {
    Light light{};
    light.type = LightType::Directional;
    light.diffuse = Color4(1, 1, 1, 1);
    light.specular = Color4(0.7f, 0.7f, 0.7f, 1);
    light.ambient = Color4(ambient, ambient, ambient, 1);
    light.direction = direction;
    return light;
}

class GlDeviceTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;

    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        graphics_ = OffscreenGraphics::Open(kWidth, kHeight, kMultisample2Samples, nullptr);
        if (!graphics_) GTEST_SKIP() << "no GL device: the offscreen driver has no GL here";
        device_ = static_cast<GlRenderDevice*>(graphics_->Device());
    }

    // The device set up as the game sets it for a frame: a 60-degree left-handed projection,
    // the game's white directional light shining along +z, Gouraud lighting with specular off,
    // depth on, a camera at (0, 0, -10) looking along +z with y up.
    void StandardScene() {
        Matrix4 projection;
        MatrixPerspectiveFovLH(&projection, 3.14159265f / 3.0f, static_cast<float>(kWidth) / kHeight, 0.5f, 1000.0f);
        device_->SetTransform(TransformType::Projection, projection);
        device_->SetTransform(TransformType::View,
                              ViewFromAxes(Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1), Vec3(0, 0, -10)));
        Matrix4 identity;
        device_->SetTransform(TransformType::World, *Identity(&identity));
        device_->SetLight(0, WhiteLight(Vec3(0, 0, 1), 0));
        device_->LightEnable(0, true);
        device_->SetRenderState(RenderStateType::Ambient, 0xFF000000);
        device_->SetRenderState(RenderStateType::ZEnable, kZbTrue);
        device_->SetRenderState(RenderStateType::Lighting, 1);
        device_->SetRenderState(RenderStateType::ShadeMode, kShadeGouraud);
        device_->SetRenderState(RenderStateType::SpecularEnable, 0);
        device_->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFF000000, 1.0f, 0);
    }

    // Draws every subset of the mesh with its material, as the game draws a model.
    void DrawMesh(const MeshData& mesh) {
        for (uint32_t i = 0; i < mesh.subsets.size(); ++i) {
            device_->SetMaterial(mesh.materials[i].material);
            ASSERT_EQ(device_->DrawSubset(mesh, i), kOk);
        }
    }

    // Draws the mesh and reads the frame back.
    void Render(const MeshData& mesh) {
        DrawMesh(mesh);
        ReadBack();
    }

    // Reads the back buffer; later At() calls look at this copy.
    void ReadBack() {
        int w = 0, h = 0;
        ASSERT_TRUE(device_->ReadPixels(&pixels_, &w, &h));
        ASSERT_EQ(w, kWidth);
        ASSERT_EQ(h, kHeight);
    }
    // The pixel at (x, y), y downwards from the top of the image.
    Rgb At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * kWidth + x) * 4;
        return Rgb{pixels_[i], pixels_[i + 1], pixels_[i + 2]};
    }
    int Brightness(int x, int y) const {
        const Rgb c = At(x, y);
        return c.r + c.g + c.b;
    }

    GlRenderDevice* device_ = nullptr;

private:
    std::unique_ptr<OffscreenGraphics> graphics_;
    std::vector<uint8_t> pixels_;
};

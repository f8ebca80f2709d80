#include <algorithm>

#include "GlTestDevice.h"

namespace {

// Frames of the standard scene: camera at z = -10 looking along +z, y up, x right, the light
// shining along +z onto faces that look at the camera.

TEST_F(GlDeviceTest, LightingFollowsTheMaterialTheAngleAmbientAndSpecularTerms) {
    // Facing the light square on: diffuse times one; outside the square the clear colour stays.
    StandardScene();
    Render(Square(0, 0, 0, 2, SolidMaterial(0.8f, 0.4f, 0.2f)));
    EXPECT_TRUE(Near(At(80, 60), Rgb{204, 102, 51})) << At(80, 60);
    EXPECT_TRUE(Near(At(5, 5), Rgb{0, 0, 0})) << At(5, 5);

    // The same white square turned 60 degrees about y gets half the light.
    StandardScene();
    MeshData mesh = Square(0, 0, 0, 2, SolidMaterial(1, 1, 1));
    Matrix4 turn;
    device_->SetTransform(TransformType::World, *MatrixRotationAxis(&turn, Vec3(0, 1, 0), 3.14159265f / 3.0f));
    Render(mesh);
    EXPECT_TRUE(Near(At(80, 60), Rgb{128, 128, 128})) << At(80, 60);

    // Global ambient 0x404040 on a material whose ambient is white and diffuse black.
    StandardScene();
    mesh.materials[0].material = SolidMaterial(0, 0, 0);
    mesh.materials[0].material.ambient = Color4(1, 1, 1, 1);
    device_->SetRenderState(RenderStateType::Ambient, 0xFF404040);
    Render(mesh);
    EXPECT_TRUE(Near(At(80, 60), Rgb{64, 64, 64})) << At(80, 60);

    // Specular, computed per vertex with the half vector towards the eye: every corner of the
    // square sees the same highlight, so the whole face shows the corners' value (a per-pixel
    // highlight would peak in the middle). With specular off the face stays black.
    Material shiny = SolidMaterial(0, 0, 0);
    shiny.specular = Color4(0, 0, 1, 1);
    shiny.power = 20.0f;
    const float toEyeZ = 10.0f / std::sqrt(5.0f * 5.0f * 2 + 10.0f * 10.0f);
    const float halfZ = (1 + toEyeZ) / std::sqrt(2 * (1 - toEyeZ * toEyeZ) / 2 + (1 + toEyeZ) * (1 + toEyeZ));
    const int corner = static_cast<int>(std::lround(255 * 0.7 * std::pow(halfZ, 20.0)));
    for (bool specular : {true, false}) {
        StandardScene();
        device_->SetRenderState(RenderStateType::SpecularEnable, specular);
        Render(Square(0, 0, 0, 5, shiny));
        if (!specular) {
            EXPECT_EQ(Brightness(80, 60), 0);
            continue;
        }
        EXPECT_TRUE(Near(At(80, 60), Rgb{0, 0, corner})) << At(80, 60) << " expected blue " << corner;
        EXPECT_TRUE(Near(At(60, 45), Rgb{0, 0, corner})) << At(60, 45);
    }

    // Lighting off: the unlit colour is white whatever the material.
    StandardScene();
    device_->SetRenderState(RenderStateType::Lighting, 0);
    Render(Square(0, 0, 0, 2, SolidMaterial(0.1f, 0.1f, 0.1f)));
    EXPECT_TRUE(Near(At(80, 60), Rgb{255, 255, 255})) << At(80, 60);
}

TEST_F(GlDeviceTest, NearerFacesHideFartherOnesOnlyWithTheDepthTest) {
    // A red square at z = 0 and, drawn after it, a larger green one behind it at z = 5.
    MeshData mesh = Square(0, 0, 0, 1, SolidMaterial(1, 0, 0));
    AddSquare(&mesh, 0, 0, 5, 4);
    CloseSubset(&mesh, SolidMaterial(0, 1, 0));
    for (bool depth : {true, false}) {
        StandardScene();
        device_->SetRenderState(RenderStateType::ZEnable, depth ? kZbTrue : 0);
        Render(mesh);
        EXPECT_TRUE(Near(At(80, 60), depth ? Rgb{255, 0, 0} : Rgb{0, 255, 0})) << "depth " << depth << At(80, 60);
        EXPECT_TRUE(Near(At(80, 40), Rgb{0, 255, 0})) << At(80, 40);
    }
}

TEST_F(GlDeviceTest, DepthRunsFromTheNearPlaneToTheFarPlane) {
    // Nearer than the near plane (0.5 before the camera) is clipped, just beyond it is drawn,
    // and so is a face just before the far plane (1000); beyond it nothing.
    const struct {
        float z;
        bool drawn;
    } cases[] = {{-9.6f, false}, {-9.4f, true}, {985.0f, true}, {995.0f, false}};
    for (const auto& c : cases) {
        StandardScene();
        Render(Square(0, 0, c.z, 2.0f * (c.z + 10.0f), SolidMaterial(1, 1, 1)));  // about the same size on screen
        EXPECT_EQ(Brightness(80, 60) > 600, c.drawn) << "z " << c.z << At(80, 60);
    }
}

TEST_F(GlDeviceTest, NormalsFollowTheWorldTransformWithoutRenormalising) {
    // Normals tilted 30 degrees towards +x; turning the face by 30 degrees about y one way
    // brings them square to the light, the other way turns them 60 degrees away from it.
    for (float angle : {0.5235988f, -0.5235988f}) {
        StandardScene();
        MeshData mesh = Square(0, 0, 0, 1, SolidMaterial(1, 1, 1));
        for (MeshVertex& v : mesh.vertices) v.normal = Vec3(0.5f, 0.0f, -0.8660254f);
        Matrix4 turn;
        device_->SetTransform(TransformType::World, *MatrixRotationAxis(&turn, Vec3(0, 1, 0), angle));
        Render(mesh);
        Vec3 n;
        Vec3TransformNormal(&n, mesh.vertices[0].normal, turn);
        const int expected = static_cast<int>(std::lround(255 * std::max(0.0f, -n.z)));
        EXPECT_TRUE(Near(At(80, 60), Rgb{expected, expected, expected})) << "angle " << angle << At(80, 60);
    }
    // As with the fixed-function default, normals are not renormalised after the transform:
    // stretching a face along its normal by 2 halves its light.
    StandardScene();
    Matrix4 stretch;
    device_->SetTransform(TransformType::World, *MatrixScaling(&stretch, 1, 1, 2));
    Render(Square(0, 0, 0, 2, SolidMaterial(1, 1, 1)));
    EXPECT_TRUE(Near(At(80, 60), Rgb{128, 128, 128})) << At(80, 60);
}

TEST_F(GlDeviceTest, CounterClockwiseFacesAreCulled) {
    StandardScene();
    MeshData mesh;
    AddSquare(&mesh, -2.5f, 0, 0, 2, true);
    AddSquare(&mesh, 2.5f, 0, 0, 2, false);  // wound the other way round
    CloseSubset(&mesh, SolidMaterial(1, 1, 1));
    Render(mesh);
    EXPECT_GT(Brightness(50, 60), 600);
    EXPECT_EQ(Brightness(110, 60), 0);
}

TEST_F(GlDeviceTest, MeshesDrawSubsetBySubsetAndSurviveManyDraws) {
    StandardScene();
    MeshData mesh = Square(-3, 0, 0, 1, SolidMaterial(1, 0, 0));
    CloseSubset(&mesh, SolidMaterial(0, 1, 0));  // a material without faces still counts
    AddSquare(&mesh, 3, 0, 0, 1);
    CloseSubset(&mesh, SolidMaterial(0, 0, 1));
    // Only subset 2 drawn, many times: the upload happens once and the right range is drawn.
    device_->SetMaterial(mesh.materials[2].material);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(device_->DrawSubset(mesh, 2), kOk);
    EXPECT_EQ(device_->DrawSubset(mesh, 1), kOk);
    EXPECT_EQ(device_->DrawSubset(mesh, 7), kOk);
    ReadBack();
    EXPECT_EQ(Brightness(48, 60), 0);
    EXPECT_TRUE(Near(At(112, 60), Rgb{0, 0, 255})) << At(112, 60);
}

}  // namespace

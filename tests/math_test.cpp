#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "math/MathFunctions.h"

namespace {

Vec3 Moved(const Vec3& v, const Matrix4& m) {
    Vec3 out;
    return *Vec3TransformCoord(&out, v, m);
}

bool Close(const Vec3& a, const Vec3& b) { return Length(a - b) < 1e-5f; }

}  // namespace

TEST(Math, RotationsAreLeftHandedAndTheHelpersAllowAliasing) {
    Matrix4 r, axis;
    // Row vector times matrix: +90 degrees about z takes x to y; about x, y goes to z (the axis
    // need not be unit length); a third of a turn about (1, 1, 1) cycles the axes.
    EXPECT_TRUE(Close(Moved(Vec3(1, 0, 0), *MatrixRotationZ(&r, float(M_PI / 2))), Vec3(0, 1, 0)));
    EXPECT_TRUE(Close(Moved(Vec3(0, 1, 0), *MatrixRotationAxis(&axis, Vec3(2, 0, 0), float(M_PI / 2))), Vec3(0, 0, 1)));
    EXPECT_TRUE(Close(Moved(Vec3(1, 0, 0), *MatrixRotationAxis(&axis, Vec3(1, 1, 1), float(2 * M_PI / 3))), Vec3(0, 1, 0)));
    MatrixRotationAxis(&axis, Vec3(0, 0, 1), 0.7f);
    MatrixRotationZ(&r, 0.7f);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(axis.m[i], r.m[i], 1e-6f) << i;

    Vec3 v(1, 2, 3), w(4, 5, 6), n;
    Cross(&v, v, w);
    EXPECT_TRUE(Close(v, Vec3(-3, 6, -3)));
    Subtract(&w, Vec3(5, 7, 9), w);
    EXPECT_EQ(w, Vec3(1, 2, 3));
    EXPECT_EQ(*Vec3Normalize(&n, Vec3(0, 0, 0)), Vec3(0, 0, 0));  // no division by zero
    EXPECT_TRUE(Close(*Vec3Normalize(&n, Vec3(0, 3, 4)), Vec3(0, 0.6f, 0.8f)));

    // 90 degrees at aspect 2: x scale 1 / aspect, y scale 1; depth 0 at the near plane, 1 at the far.
    Matrix4 p;
    MatrixPerspectiveFovLH(&p, float(M_PI / 2), 2.0f, 1.0f, 101.0f);
    EXPECT_TRUE(std::fabs(p(0, 0) - 0.5f) < 1e-6f && std::fabs(p(1, 1) - 1.0f) < 1e-6f && p(2, 3) == 1.0f && p(3, 3) == 0.0f);
    EXPECT_NEAR(Moved(Vec3(0, 0, 1), p).z, 0.0f, 1e-6f);
    EXPECT_NEAR(Moved(Vec3(0, 0, 101), p).z, 1.0f, 1e-6f);
}

// Random scalings, rotations and translations: the inverse undoes each, its determinant is the
// scalings' product, and a singular matrix leaves the output alone.
TEST(Math, InversesUndoRandomTransforms) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> u(-3.0f, 3.0f), scale(0.3f, 3.0f);
    for (int i = 0; i < 200; ++i) {
        const Vec3 a(u(random), u(random), u(random) + 4.0f);  // never near zero length
        const float sx = scale(random), sy = scale(random), sz = scale(random);
        Matrix4 r, t, s, rt, m, inv, product;
        MatrixRotationAxis(&r, a, u(random));
        MatrixTranslation(&t, u(random), u(random), u(random));
        MatrixMultiply(&m, *MatrixScaling(&s, sx, sy, sz), *MatrixMultiply(&rt, r, t));
        float det = 0;
        ASSERT_NE(MatrixInverse(&inv, &det, m), nullptr);
        EXPECT_NEAR(det, sx * sy * sz, 1e-3f * sx * sy * sz);
        MatrixMultiply(&product, m, inv);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col) ASSERT_NEAR(product(row, col), row == col ? 1.0f : 0.0f, 1e-4f) << i;
    }
    Matrix4 singular, untouched;
    MatrixScaling(&untouched, 2, 2, 2);
    const Matrix4 before = untouched;
    EXPECT_EQ(MatrixInverse(&untouched, nullptr, *MatrixScaling(&singular, 1, 0, 1)), nullptr);
    EXPECT_EQ(untouched, before);

    // Bounding sphere: positions inside a larger vertex record, the stride skipping the rest.
    struct Vertex {
        Vec3 position;
        float u, v;
    };
    const Vertex vertices[] = {{{-1, 0, 0}, 0, 0}, {{3, 0, 0}, 0, 0}, {{1, 2, 0}, 0, 0}, {{1, -2, 0}, 0, 0}};
    Vec3 centre;
    float radius = -1;
    ASSERT_TRUE(ComputeBoundingSphere(&vertices[0].position, 4, sizeof(Vertex), &centre, &radius));
    EXPECT_TRUE(Close(centre, Vec3(1, 0, 0)));
    EXPECT_NEAR(radius, 2.0f, 1e-6f);
    EXPECT_FALSE(ComputeBoundingSphere(&vertices[0].position, 0, sizeof(Vertex), &centre, &radius));
}

#include <gtest/gtest.h>

#include <cmath>

#include "math/MathFunctions.h"

namespace {

void ExpectVecNear(const Vec3& v, float x, float y, float z, float eps = 1e-5f) {
    EXPECT_NEAR(v.x, x, eps);
    EXPECT_NEAR(v.y, y, eps);
    EXPECT_NEAR(v.z, z, eps);
}

}  // namespace

TEST(Math, VectorHelpersAllowAliasing) {
    Vec3 v(1, 2, 3), w(4, 5, 6);
    Cross(&v, v, w);
    ExpectVecNear(v, -3, 6, -3);
    EXPECT_EQ(Length(Vec3(3, 4, 0)), 5.0f);
    Vec3 a(5, 7, 9), b(1, 2, 3);
    Subtract(&b, a, b);
    EXPECT_EQ(b, Vec3(4, 5, 6));

    Vec3 n;
    Vec3Normalize(&n, Vec3(0, 0, 0));
    EXPECT_EQ(n, Vec3(0, 0, 0));  // no division by zero
    Vec3Normalize(&n, Vec3(0, 3, 4));
    ExpectVecNear(n, 0, 0.6f, 0.8f);
}

TEST(Math, RotationsTurnKnownPointsTheLeftHandedWay) {
    Matrix4 r;
    Vec3 p;
    // Rotation about z by +90 degrees takes x to y (row vector times matrix).
    MatrixRotationZ(&r, static_cast<float>(M_PI / 2));
    Vec3TransformCoord(&p, Vec3(1, 0, 0), r);
    ExpectVecNear(p, 0, 1, 0);

    // About an axis: z gives the same matrix as RotationZ; about x, y goes to z.
    Matrix4 axis;
    MatrixRotationAxis(&axis, Vec3(0, 0, 1), 0.7f);
    MatrixRotationZ(&r, 0.7f);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(axis.m[i], r.m[i], 1e-6f) << i;
    MatrixRotationAxis(&axis, Vec3(2, 0, 0), static_cast<float>(M_PI / 2));  // axis not unit length
    Vec3TransformCoord(&p, Vec3(0, 1, 0), axis);
    ExpectVecNear(p, 0, 0, 1);

    // A third of a turn about (1, 1, 1) cycles the axes x -> y -> z.
    MatrixRotationAxis(&axis, Vec3(1, 1, 1), static_cast<float>(2 * M_PI / 3));
    Vec3TransformCoord(&p, Vec3(1, 0, 0), axis);
    ExpectVecNear(p, 0, 1, 0);
}

TEST(Math, PerspectiveElements) {
    Matrix4 p;
    MatrixPerspectiveFovLH(&p, static_cast<float>(M_PI / 2), 2.0f, 1.0f, 101.0f);
    // cot(45 degrees) = 1: x scale 1 / aspect, y scale 1.
    EXPECT_NEAR(p(0, 0), 0.5f, 1e-6f);
    EXPECT_NEAR(p(1, 1), 1.0f, 1e-6f);
    EXPECT_EQ(p(2, 3), 1.0f);
    EXPECT_EQ(p(3, 3), 0.0f);
    // Depth runs from 0 at the near plane to 1 at the far plane.
    Vec3 v;
    Vec3TransformCoord(&v, Vec3(0, 0, 1), p);
    EXPECT_NEAR(v.z, 0.0f, 1e-6f);
    Vec3TransformCoord(&v, Vec3(0, 0, 101), p);
    EXPECT_NEAR(v.z, 1.0f, 1e-6f);
}

TEST(Math, InverseUndoesTheMatrix) {
    Matrix4 r, t, s, rt, m, inv, product;
    MatrixRotationAxis(&r, Vec3(1, 2, 3), 0.9f);
    MatrixTranslation(&t, 4, -5, 6);
    MatrixScaling(&s, 2, 3, 0.5f);
    MatrixMultiply(&rt, r, t);
    MatrixMultiply(&m, s, rt);
    float det = 0;
    ASSERT_NE(MatrixInverse(&inv, &det, m), nullptr);
    EXPECT_NEAR(det, 3.0f, 1e-4f);  // rotation and translation keep volume; the scaling gives 2*3*0.5
    MatrixMultiply(&product, m, inv);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) EXPECT_NEAR(product(row, col), row == col ? 1.0f : 0.0f, 1e-5f);

    Matrix4 singular;
    MatrixScaling(&singular, 1, 0, 1);
    Matrix4 untouched = inv;
    EXPECT_EQ(MatrixInverse(&untouched, nullptr, singular), nullptr);
    EXPECT_EQ(untouched, inv);
}

TEST(Math, BoundingSphere) {
    // Positions inside a larger vertex record: the stride skips the other fields.
    struct Vertex {
        Vec3 position;
        float u, v;
    };
    const Vertex vertices[] = {{{-1, 0, 0}, 0, 0}, {{3, 0, 0}, 0, 0}, {{1, 2, 0}, 0, 0}, {{1, -2, 0}, 0, 0}};
    Vec3 centre;
    float radius = -1;
    ASSERT_TRUE(ComputeBoundingSphere(&vertices[0].position, 4, sizeof(Vertex), &centre, &radius));
    ExpectVecNear(centre, 1, 0, 0);
    EXPECT_NEAR(radius, 2.0f, 1e-6f);
    EXPECT_FALSE(ComputeBoundingSphere(&vertices[0].position, 0, sizeof(Vertex), &centre, &radius));
}

#include "math/MathFunctions.h"

#include <cmath>

Vec3* Vec3Normalize(Vec3* out, const Vec3& v) {
    const float length = Length(v);
    if (length == 0.0f) {
        *out = Vec3(0.0f, 0.0f, 0.0f);
    } else {
        *out = Vec3(v.x / length, v.y / length, v.z / length);
    }
    return out;
}

Vec3* Vec3TransformCoord(Vec3* out, const Vec3& v, const Matrix4& m) {
    const float w = v.x * m(0, 3) + v.y * m(1, 3) + v.z * m(2, 3) + m(3, 3);
    const Vec3 t((v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0) + m(3, 0)) / w,
                 (v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1) + m(3, 1)) / w,
                 (v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2) + m(3, 2)) / w);
    *out = t;
    return out;
}

Vec3* Vec3TransformNormal(Vec3* out, const Vec3& v, const Matrix4& m) {
    const Vec3 t(v.x * m(0, 0) + v.y * m(1, 0) + v.z * m(2, 0),
                 v.x * m(0, 1) + v.y * m(1, 1) + v.z * m(2, 1),
                 v.x * m(0, 2) + v.y * m(1, 2) + v.z * m(2, 2));
    *out = t;
    return out;
}

Matrix4* MatrixMultiply(Matrix4* out, const Matrix4& a, const Matrix4& b) {
    Matrix4 t;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            t(r, c) = a(r, 0) * b(0, c) + a(r, 1) * b(1, c) + a(r, 2) * b(2, c) + a(r, 3) * b(3, c);
    *out = t;
    return out;
}

Matrix4* MatrixInverse(Matrix4* out, float* determinant, const Matrix4& m) {
    // Cofactor expansion in double precision; the result is rounded back to float.
    double a[16];
    for (int i = 0; i < 16; ++i) a[i] = m.m[i];
    double inv[16];
    inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
             a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
             a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
             a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
              a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
             a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
             a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
             a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
              a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
             a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
             a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
              a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
              a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
             a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
             a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
              a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
              a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
    const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
    if (determinant) *determinant = static_cast<float>(det);
    if (det == 0.0) return nullptr;
    for (int i = 0; i < 16; ++i) out->m[i] = static_cast<float>(inv[i] / det);
    return out;
}

Matrix4* MatrixTranslation(Matrix4* out, float x, float y, float z) {
    Identity(out);
    (*out)(3, 0) = x;
    (*out)(3, 1) = y;
    (*out)(3, 2) = z;
    return out;
}

Matrix4* MatrixScaling(Matrix4* out, float sx, float sy, float sz) {
    Identity(out);
    (*out)(0, 0) = sx;
    (*out)(1, 1) = sy;
    (*out)(2, 2) = sz;
    return out;
}

Matrix4* MatrixRotationZ(Matrix4* out, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    Identity(out);
    (*out)(0, 0) = c;
    (*out)(0, 1) = s;
    (*out)(1, 0) = -s;
    (*out)(1, 1) = c;
    return out;
}

Matrix4* MatrixRotationAxis(Matrix4* out, const Vec3& axis, float angle) {
    Vec3 v;
    Vec3Normalize(&v, axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    Identity(out);
    (*out)(0, 0) = t * v.x * v.x + c;
    (*out)(1, 0) = t * v.x * v.y - s * v.z;
    (*out)(2, 0) = t * v.x * v.z + s * v.y;
    (*out)(0, 1) = t * v.y * v.x + s * v.z;
    (*out)(1, 1) = t * v.y * v.y + c;
    (*out)(2, 1) = t * v.y * v.z - s * v.x;
    (*out)(0, 2) = t * v.z * v.x - s * v.y;
    (*out)(1, 2) = t * v.z * v.y + s * v.x;
    (*out)(2, 2) = t * v.z * v.z + c;
    return out;
}

Matrix4* MatrixPerspectiveFovLH(Matrix4* out, float fovY, float aspect, float zn, float zf) {
    for (float& e : out->m) e = 0.0f;
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    (*out)(0, 0) = yScale / aspect;
    (*out)(1, 1) = yScale;
    (*out)(2, 2) = zf / (zf - zn);
    (*out)(2, 3) = 1.0f;
    (*out)(3, 2) = -zn * zf / (zf - zn);
    return out;
}

Plane* PlaneFromPointNormal(Plane* out, const Vec3& point, const Vec3& normal) {
    out->a = normal.x;
    out->b = normal.y;
    out->c = normal.z;
    out->d = -Dot(point, normal);
    return out;
}

Vec3* PlaneIntersectLine(Vec3* out, const Plane& plane, const Vec3& p1, const Vec3& p2) {
    const Vec3 direction = p2 - p1;
    const float denominator = plane.a * direction.x + plane.b * direction.y + plane.c * direction.z;
    if (denominator == 0.0f) return nullptr;
    const float t = (plane.a * p1.x + plane.b * p1.y + plane.c * p1.z + plane.d) / denominator;
    *out = p1 - direction * t;
    return out;
}

bool ComputeBoundingSphere(const Vec3* first, size_t count, size_t stride, Vec3* centre, float* radius) {
    if (!first || count == 0) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(first);
    auto at = [&](size_t i) { return *reinterpret_cast<const Vec3*>(bytes + i * stride); };
    double sx = 0, sy = 0, sz = 0;
    for (size_t i = 0; i < count; ++i) {
        const Vec3 p = at(i);
        sx += p.x;
        sy += p.y;
        sz += p.z;
    }
    const Vec3 c(static_cast<float>(sx / count), static_cast<float>(sy / count), static_cast<float>(sz / count));
    float largest = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float d = Length(at(i) - c);
        if (d > largest) largest = d;
    }
    *centre = c;
    *radius = largest;
    return true;
}

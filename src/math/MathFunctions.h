#pragma once
#include <cstddef>

#include "math/Matrix4.h"
#include "math/Plane.h"
#include "math/Vec3.h"

// Vector, matrix and plane functions with row vectors, row-major storage and left-handed
// projection. Each writes its result through `out` and returns `out` (or null where noted), so
// that out may alias an input.

// out = v / |v|; a zero vector gives the zero vector.
Vec3* Vec3Normalize(Vec3* out, const Vec3& v);
// out = (v, 1) * m, divided by the resulting w.
Vec3* Vec3TransformCoord(Vec3* out, const Vec3& v, const Matrix4& m);
// out = (v, 0) * m: the upper 3x3 part only, no translation.
Vec3* Vec3TransformNormal(Vec3* out, const Vec3& v, const Matrix4& m);
// out = a * b (a applies first).
Matrix4* MatrixMultiply(Matrix4* out, const Matrix4& a, const Matrix4& b);
// out = m^-1; returns null and leaves out unchanged when m is singular. determinant may be null.
Matrix4* MatrixInverse(Matrix4* out, float* determinant, const Matrix4& m);
// Translation by (x, y, z) in the bottom row.
Matrix4* MatrixTranslation(Matrix4* out, float x, float y, float z);
// Scaling by (sx, sy, sz) on the diagonal.
Matrix4* MatrixScaling(Matrix4* out, float sx, float sy, float sz);
// Rotation by angle radians about z: x towards y for a positive angle.
Matrix4* MatrixRotationZ(Matrix4* out, float angle);
// Rotation by angle radians about the (normalised) axis, in the left-handed convention.
Matrix4* MatrixRotationAxis(Matrix4* out, const Vec3& axis, float angle);
// Left-handed perspective: vertical field of view fovY, aspect width/height, depth 0 at zn, 1 at zf.
Matrix4* MatrixPerspectiveFovLH(Matrix4* out, float fovY, float aspect, float zn, float zf);
// The plane through point with the given normal: (a, b, c) = normal, d = -point . normal.
Plane* PlaneFromPointNormal(Plane* out, const Vec3& point, const Vec3& normal);
// Where the line through p1 and p2 meets the plane; null when the line is parallel to it.
Vec3* PlaneIntersectLine(Vec3* out, const Plane& plane, const Vec3& p1, const Vec3& p2);
// Sphere around `count` positions read every `stride` bytes from `first`: the centre is their
// mean, the radius the largest distance from it. Returns false for count 0 or a null pointer.
bool ComputeBoundingSphere(const Vec3* first, size_t count, size_t stride, Vec3* centre, float* radius);

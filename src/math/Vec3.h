#pragma once
#include <cmath>

// Three floats laid out as x, y, z; the game's vertical axis is z (the floor is z = 0).
struct Vec3 {
    float x, y, z;

    Vec3() = default;  // components unset: every user assigns them before reading
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    Vec3 operator+(const Vec3& b) const { return Vec3(x + b.x, y + b.y, z + b.z); }
    Vec3 operator-(const Vec3& b) const { return Vec3(x - b.x, y - b.y, z - b.z); }
    Vec3& operator+=(const Vec3& b) { x += b.x; y += b.y; z += b.z; return *this; }
    Vec3 operator*(float s) const { return Vec3(x * s, y * s, z * s); }
    bool operator==(const Vec3& b) const { return x == b.x && y == b.y && z == b.z; }
};

// a.x*b.x + a.y*b.y + a.z*b.z, summed in that order.
inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// out = a x b; safe when out is a or b.
inline Vec3* Cross(Vec3* out, const Vec3& a, const Vec3& b) {
    const Vec3 t(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
    *out = t;
    return out;
}

// Length: the sum of squares in single precision, its square root in double, rounded to float.
inline float Length(const Vec3& a) {
    const float sum = a.x * a.x + a.y * a.y + a.z * a.z;
    return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

// out = a - b componentwise; safe when out is a or b; returns out.
inline Vec3* Subtract(Vec3* out, const Vec3& a, const Vec3& b) {
    const Vec3 t(a.x - b.x, a.y - b.y, a.z - b.z);
    *out = t;
    return out;
}

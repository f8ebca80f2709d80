#pragma once

// A colour of four floats r, g, b, a, as lights and materials hold them.
struct Color4 {
    float r, g, b, a;

    Color4() = default;
    constexpr Color4(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
    bool operator==(const Color4& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

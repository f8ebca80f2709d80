#pragma once

// Sixteen floats, row-major: element (r, c) is float 4*r + c. Points are row vectors (v * M) and
// in A * B the transform A applies first. The memory layout equals GL's column-major layout of
// the same transform, so a Matrix4 goes to GL unchanged.
struct Matrix4 {
    float m[16];

    float& operator()(int row, int column) { return m[4 * row + column]; }
    float operator()(int row, int column) const { return m[4 * row + column]; }
    bool operator==(const Matrix4& o) const {
        for (int i = 0; i < 16; ++i)
            if (m[i] != o.m[i]) return false;
        return true;
    }
};

// Writes the identity into out and returns out.
inline Matrix4* Identity(Matrix4* out) {
    for (int i = 0; i < 16; ++i) out->m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    return out;
}

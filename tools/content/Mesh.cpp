#include "Mesh.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

Vec3 Normalised(const Vec3& v) {
    const float l = Length(v);
    return l > 0.0f ? v * (1.0f / l) : v;
}

Vec3 FaceNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
    Vec3 n;
    Cross(&n, b - a, c - a);
    return n;
}

float SignedArea(const std::vector<Point2>& poly) {
    float area = 0.0f;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Point2& p = poly[i];
        const Point2& q = poly[(i + 1) % poly.size()];
        area += p.x * q.y - q.x * p.y;
    }
    return area * 0.5f;
}

bool InsideTriangle(const Point2& p, const Point2& a, const Point2& b, const Point2& c) {
    auto side = [](const Point2& u, const Point2& v, const Point2& w) {
        return (v.x - u.x) * (w.y - u.y) - (v.y - u.y) * (w.x - u.x);
    };
    const float d1 = side(a, b, p), d2 = side(b, c, p), d3 = side(c, a, p);
    const bool hasNeg = d1 < 0 || d2 < 0 || d3 < 0;
    const bool hasPos = d1 > 0 || d2 > 0 || d3 > 0;
    return !(hasNeg && hasPos);
}

}  // namespace

uint32_t GenMesh::AddMaterial(const GenMaterial& m) {
    materials.push_back(m);
    return static_cast<uint32_t>(materials.size() - 1);
}

uint32_t GenMesh::AddVertex(const Vec3& p, const Vec3& n, float u, float v) {
    vertices.push_back({p, Normalised(n), u, v});
    return static_cast<uint32_t>(vertices.size() - 1);
}

void GenMesh::AddFace(uint32_t a, uint32_t b, uint32_t c, uint32_t material) {
    faces.push_back({a, b, c});
    faceMaterials.push_back(material);
}

void GenMesh::Triangle(uint32_t material, Vec3 a, Vec3 b, Vec3 c) {
    const Vec3 n = FaceNormal(a, b, c);
    AddFace(AddVertex(a, n), AddVertex(b, n), AddVertex(c, n), material);
}

void GenMesh::Quad(uint32_t material, Vec3 a, Vec3 b, Vec3 c, Vec3 d, const std::array<float, 8>& uv) {
    const Vec3 n = FaceNormal(a, b, c);
    const uint32_t ia = AddVertex(a, n, uv[0], uv[1]);
    const uint32_t ib = AddVertex(b, n, uv[2], uv[3]);
    const uint32_t ic = AddVertex(c, n, uv[4], uv[5]);
    const uint32_t id = AddVertex(d, n, uv[6], uv[7]);
    AddFace(ia, ib, ic, material);
    AddFace(ia, ic, id, material);
}

namespace {

// Adds a quad whose corners go round its perimeter, turned so that it faces `outward`, with
// per-corner normals (smooth) or the face normal when normals is null.
void OrientedQuad(GenMesh& m, uint32_t material, const Vec3& outward, std::array<Vec3, 4> p,
                  const std::array<Vec3, 4>* normals, std::array<float, 8> uv) {
    std::array<Vec3, 4> n;
    if (Dot(FaceNormal(p[0], p[1], p[2]), outward) < 0.0f) {
        std::swap(p[1], p[3]);
        std::swap(uv[2], uv[6]);
        std::swap(uv[3], uv[7]);
        if (normals) {
            n = {(*normals)[0], (*normals)[3], (*normals)[2], (*normals)[1]};
        }
    } else if (normals) {
        n = *normals;
    }
    if (!normals) {
        const Vec3 f = FaceNormal(p[0], p[1], p[2]);
        n = {f, f, f, f};
    }
    uint32_t idx[4];
    for (int i = 0; i < 4; ++i) idx[i] = m.AddVertex(p[i], n[i], uv[2 * i], uv[2 * i + 1]);
    m.AddFace(idx[0], idx[1], idx[2], material);
    m.AddFace(idx[0], idx[2], idx[3], material);
}

void OrientedTriangle(GenMesh& m, uint32_t material, const Vec3& outward, Vec3 a, Vec3 b, Vec3 c,
                      std::array<float, 6> uv = {0, 0, 0, 0, 0, 0}) {
    if (Dot(FaceNormal(a, b, c), outward) < 0.0f) {
        std::swap(b, c);
        std::swap(uv[2], uv[4]);
        std::swap(uv[3], uv[5]);
    }
    const Vec3 n = FaceNormal(a, b, c);
    m.AddFace(m.AddVertex(a, n, uv[0], uv[1]), m.AddVertex(b, n, uv[2], uv[3]),
              m.AddVertex(c, n, uv[4], uv[5]), material);
}

}  // namespace

void GenMesh::Box(uint32_t material, Vec3 lo, Vec3 hi) { Box(material, material, lo, hi); }

void GenMesh::Box(uint32_t sideMaterial, uint32_t topMaterial, Vec3 lo, Vec3 hi) {
    const float x0 = lo.x, y0 = lo.y, z0 = lo.z, x1 = hi.x, y1 = hi.y, z1 = hi.z;
    const std::array<float, 8> uv = {0, 0, 1, 0, 1, 1, 0, 1};
    // Top: u runs with x, v with y, so the image's top edge lies to the north (-y).
    OrientedQuad(*this, topMaterial, {0, 0, 1}, {Vec3(x0, y0, z1), Vec3(x1, y0, z1), Vec3(x1, y1, z1), Vec3(x0, y1, z1)},
                 nullptr, uv);
    OrientedQuad(*this, sideMaterial, {0, 0, -1}, {Vec3(x0, y0, z0), Vec3(x1, y0, z0), Vec3(x1, y1, z0), Vec3(x0, y1, z0)},
                 nullptr, uv);
    OrientedQuad(*this, sideMaterial, {0, -1, 0}, {Vec3(x0, y0, z1), Vec3(x1, y0, z1), Vec3(x1, y0, z0), Vec3(x0, y0, z0)},
                 nullptr, uv);
    OrientedQuad(*this, sideMaterial, {0, 1, 0}, {Vec3(x0, y1, z1), Vec3(x1, y1, z1), Vec3(x1, y1, z0), Vec3(x0, y1, z0)},
                 nullptr, uv);
    OrientedQuad(*this, sideMaterial, {-1, 0, 0}, {Vec3(x0, y0, z1), Vec3(x0, y1, z1), Vec3(x0, y1, z0), Vec3(x0, y0, z0)},
                 nullptr, uv);
    OrientedQuad(*this, sideMaterial, {1, 0, 0}, {Vec3(x1, y0, z1), Vec3(x1, y1, z1), Vec3(x1, y1, z0), Vec3(x1, y0, z0)},
                 nullptr, uv);
}

void GenMesh::Cylinder(uint32_t sideMaterial, uint32_t capMaterial, float cx, float cy, float radius,
                       float z0, float z1, int segments, bool bottomCap) {
    const Vec3 centreTop(cx, cy, z1), centreBottom(cx, cy, z0);
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
        const Vec3 n0(std::cos(a0), std::sin(a0), 0), n1(std::cos(a1), std::sin(a1), 0);
        const Vec3 p0(cx + radius * n0.x, cy + radius * n0.y, 0), p1(cx + radius * n1.x, cy + radius * n1.y, 0);
        const std::array<Vec3, 4> normals = {n0, n1, n1, n0};
        const float u0 = static_cast<float>(i) / segments, u1 = static_cast<float>(i + 1) / segments;
        OrientedQuad(*this, sideMaterial, n0 + n1,
                     {Vec3(p0.x, p0.y, z0), Vec3(p1.x, p1.y, z0), Vec3(p1.x, p1.y, z1), Vec3(p0.x, p0.y, z1)},
                     &normals, {u0, 1, u1, 1, u1, 0, u0, 0});
        auto capUv = [&](const Vec3& n) { return std::array<float, 2>{0.5f + 0.5f * n.x, 0.5f + 0.5f * n.y}; };
        const auto c0 = capUv(n0), c1 = capUv(n1);
        OrientedTriangle(*this, capMaterial, {0, 0, 1}, centreTop, Vec3(p0.x, p0.y, z1), Vec3(p1.x, p1.y, z1),
                         {0.5f, 0.5f, c0[0], c0[1], c1[0], c1[1]});
        if (bottomCap) {
            OrientedTriangle(*this, sideMaterial, {0, 0, -1}, centreBottom, Vec3(p0.x, p0.y, z0),
                             Vec3(p1.x, p1.y, z0));
        }
    }
}

void GenMesh::CylinderAxis(uint32_t sideMaterial, uint32_t capMaterial, Vec3 base, Vec3 axis, float radius,
                           float length, int segments) {
    // Two unit vectors across the axis.
    Vec3 helper = std::fabs(axis.z) < 0.9f ? Vec3(0, 0, 1) : Vec3(1, 0, 0);
    Vec3 s, t;
    Cross(&s, axis, helper);
    s = Normalised(s);
    Cross(&t, axis, s);
    const Vec3 top = base + axis * length;
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
        const Vec3 n0 = s * std::cos(a0) + t * std::sin(a0), n1 = s * std::cos(a1) + t * std::sin(a1);
        const std::array<Vec3, 4> normals = {n0, n1, n1, n0};
        OrientedQuad(*this, sideMaterial, n0 + n1,
                     {base + n0 * radius, base + n1 * radius, top + n1 * radius, top + n0 * radius}, &normals,
                     {0, 0, 1, 0, 1, 1, 0, 1});
        OrientedTriangle(*this, capMaterial, axis * -1.0f, base, base + n0 * radius, base + n1 * radius);
        OrientedTriangle(*this, capMaterial, axis, top, top + n0 * radius, top + n1 * radius);
    }
}

void GenMesh::TurnedBox(uint32_t material, float cx, float cy, float angle, float hx, float hy, float z0, float z1) {
    const Vec3 u(std::cos(angle), std::sin(angle), 0), v(-std::sin(angle), std::cos(angle), 0);
    const Vec3 c(cx, cy, 0);
    const Vec3 corner[4] = {c - u * hx - v * hy, c + u * hx - v * hy, c + u * hx + v * hy, c - u * hx + v * hy};
    auto at = [&](int i, float z) { return Vec3(corner[i].x, corner[i].y, z); };
    FacingQuad(material, {0, 0, 1}, at(0, z1), at(1, z1), at(2, z1), at(3, z1));
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const Vec3 mid = (corner[i] + corner[j]) * 0.5f - c;
        FacingQuad(material, mid, at(i, z1), at(j, z1), at(j, z0), at(i, z0));
    }
}

void GenMesh::FacingQuad(uint32_t material, Vec3 outward, Vec3 a, Vec3 b, Vec3 c, Vec3 d,
                         const std::array<float, 8>& uv) {
    OrientedQuad(*this, material, outward, {a, b, c, d}, nullptr, uv);
}

void GenMesh::FacingTriangle(uint32_t material, Vec3 outward, Vec3 a, Vec3 b, Vec3 c) {
    OrientedTriangle(*this, material, outward, a, b, c);
}

void GenMesh::Cone(uint32_t material, float cx, float cy, float radius, float zBase, float zApex, int segments) {
    const float h = zApex - zBase;
    const Vec3 apex(cx, cy, zApex);
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
        const Vec3 p0(cx + radius * std::cos(a0), cy + radius * std::sin(a0), zBase);
        const Vec3 p1(cx + radius * std::cos(a1), cy + radius * std::sin(a1), zBase);
        const float am = 0.5f * (a0 + a1);
        // Outward across the slant: horizontal part along the radius, vertical part by the slope.
        const Vec3 out(std::cos(am) * std::fabs(h), std::sin(am) * std::fabs(h), h > 0 ? radius : -radius);
        OrientedTriangle(*this, material, out, apex, p0, p1);
        OrientedTriangle(*this, material, {0, 0, h > 0 ? -1.0f : 1.0f}, Vec3(cx, cy, zBase), p0, p1);
    }
}

void GenMesh::Sphere(uint32_t material, Vec3 centre, float radius, int slices, int stacks) {
    auto point = [&](int i, int j) {
        const float theta = 2 * kPi * i / slices, phi = kPi * j / stacks;
        return Vec3(std::sin(phi) * std::cos(theta), std::sin(phi) * std::sin(theta), std::cos(phi));
    };
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i) {
            const std::array<Vec3, 4> n = {point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1)};
            const std::array<Vec3, 4> p = {centre + n[0] * radius, centre + n[1] * radius, centre + n[2] * radius,
                                           centre + n[3] * radius};
            const Vec3 out = n[0] + n[1] + n[2] + n[3];
            if (j == 0) {
                OrientedTriangle(*this, material, out, p[0], p[2], p[3]);
            } else if (j == stacks - 1) {
                OrientedTriangle(*this, material, out, p[0], p[1], p[2]);
            } else {
                OrientedQuad(*this, material, out, p, &n, {0, 0, 0, 0, 0, 0, 0, 0});
            }
        }
    }
}

void GenMesh::Extrude(uint32_t side, uint32_t top, const std::vector<Point2>& polygon, float z0, float z1,
                      float uvHalfSize) {
    const auto tris = TriangulatePolygon(polygon);
    auto uv = [&](const Point2& p) {
        return std::array<float, 2>{0.5f + 0.5f * p.x / uvHalfSize, 0.5f + 0.5f * p.y / uvHalfSize};
    };
    for (const auto& t : tris) {
        const Point2 &a = polygon[t[0]], &b = polygon[t[1]], &c = polygon[t[2]];
        const auto ua = uv(a), ub = uv(b), uc = uv(c);
        OrientedTriangle(*this, top, {0, 0, 1}, Vec3(a.x, a.y, z1), Vec3(b.x, b.y, z1), Vec3(c.x, c.y, z1),
                         {ua[0], ua[1], ub[0], ub[1], uc[0], uc[1]});
    }
    const float orientation = SignedArea(polygon) > 0 ? 1.0f : -1.0f;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point2& p = polygon[i];
        const Point2& q = polygon[(i + 1) % polygon.size()];
        // For a polygon of positive area (counter-clockwise in x right, y up) the outside lies
        // to the right of each edge.
        const Vec3 out((q.y - p.y) * orientation, -(q.x - p.x) * orientation, 0);
        OrientedQuad(*this, side, out, {Vec3(p.x, p.y, z1), Vec3(q.x, q.y, z1), Vec3(q.x, q.y, z0), Vec3(p.x, p.y, z0)},
                     nullptr, {0, 0, 1, 0, 1, 1, 0, 1});
    }
}

void GenMesh::RingSector(uint32_t material, float cx, float cy, float r0, float r1, float a0, float a1, float z,
                         int segments) {
    for (int i = 0; i < segments; ++i) {
        const float t0 = a0 + (a1 - a0) * i / segments, t1 = a0 + (a1 - a0) * (i + 1) / segments;
        const std::array<Vec3, 4> p = {Vec3(cx + r0 * std::cos(t0), cy + r0 * std::sin(t0), z),
                                       Vec3(cx + r1 * std::cos(t0), cy + r1 * std::sin(t0), z),
                                       Vec3(cx + r1 * std::cos(t1), cy + r1 * std::sin(t1), z),
                                       Vec3(cx + r0 * std::cos(t1), cy + r0 * std::sin(t1), z)};
        // Texture coordinates follow the tile: (0,0) at its north-west corner, (1,1) at its south-east.
        std::array<float, 8> uv;
        for (int k = 0; k < 4; ++k) {
            uv[2 * k] = (p[k].x + 5.0f) / 10.0f;
            uv[2 * k + 1] = (p[k].y + 5.0f) / 10.0f;
        }
        OrientedQuad(*this, material, {0, 0, 1}, p, nullptr, uv);
    }
}

void GenMesh::ArcBeam(uint32_t material, float cx, float cy, float r0, float r1, float a0, float a1, float z0,
                      float z1, int segments) {
    RingSector(material, cx, cy, r0, r1, a0, a1, z1, segments);
    for (int i = 0; i < segments; ++i) {
        const float t0 = a0 + (a1 - a0) * i / segments, t1 = a0 + (a1 - a0) * (i + 1) / segments;
        for (float r : {r0, r1}) {
            const Vec3 n0(std::cos(t0), std::sin(t0), 0), n1(std::cos(t1), std::sin(t1), 0);
            const float sign = (r == r1) ? 1.0f : -1.0f;
            const std::array<Vec3, 4> normals = {n0 * sign, n1 * sign, n1 * sign, n0 * sign};
            OrientedQuad(*this, material, (n0 + n1) * sign,
                         {Vec3(cx + r * n0.x, cy + r * n0.y, z1), Vec3(cx + r * n1.x, cy + r * n1.y, z1),
                          Vec3(cx + r * n1.x, cy + r * n1.y, z0), Vec3(cx + r * n0.x, cy + r * n0.y, z0)},
                         &normals, {0, 0, 1, 0, 1, 1, 0, 1});
        }
    }
    // End caps, facing back along the arc.
    for (float t : {a0, a1}) {
        const Vec3 tangent(-std::sin(t), std::cos(t), 0);
        const Vec3 out = (t == a0) == (a1 > a0) ? tangent * -1.0f : tangent;
        const Vec3 n(std::cos(t), std::sin(t), 0);
        OrientedQuad(*this, material, out,
                     {Vec3(cx + r0 * n.x, cy + r0 * n.y, z1), Vec3(cx + r1 * n.x, cy + r1 * n.y, z1),
                      Vec3(cx + r1 * n.x, cy + r1 * n.y, z0), Vec3(cx + r0 * n.x, cy + r0 * n.y, z0)},
                     nullptr, {0, 0, 1, 0, 1, 1, 0, 1});
    }
}

std::vector<std::array<int, 3>> TriangulatePolygon(const std::vector<Point2>& polygon) {
    std::vector<std::array<int, 3>> out;
    std::vector<int> remaining;
    for (size_t i = 0; i < polygon.size(); ++i) remaining.push_back(static_cast<int>(i));
    const float orientation = SignedArea(polygon) > 0 ? 1.0f : -1.0f;
    while (remaining.size() > 3) {
        bool clipped = false;
        const size_t n = remaining.size();
        for (size_t i = 0; i < n; ++i) {
            const int ia = remaining[(i + n - 1) % n], ib = remaining[i], ic = remaining[(i + 1) % n];
            const Point2 &a = polygon[ia], &b = polygon[ib], &c = polygon[ic];
            const float turn = ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) * orientation;
            if (turn <= 0) continue;  // a reflex corner is no ear
            bool empty = true;
            for (int k : remaining) {
                if (k == ia || k == ib || k == ic) continue;
                if (InsideTriangle(polygon[k], a, b, c)) {
                    empty = false;
                    break;
                }
            }
            if (!empty) continue;
            out.push_back({ia, ib, ic});
            remaining.erase(remaining.begin() + static_cast<long>(i));
            clipped = true;
            break;
        }
        if (!clipped) break;  // degenerate input: stop rather than loop for ever
    }
    if (remaining.size() == 3) out.push_back({remaining[0], remaining[1], remaining[2]});
    // Each triangle faces +z when (b - a) x (c - a) points up.
    for (auto& t : out) {
        const Point2 &a = polygon[t[0]], &b = polygon[t[1]], &c = polygon[t[2]];
        if ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) < 0) std::swap(t[1], t[2]);
    }
    return out;
}

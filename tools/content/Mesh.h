#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "math/Vec3.h"

// A model under construction: vertices with normals and texture coordinates, triangles that
// face the viewer when their corners run clockwise (the normal is (b - a) x (c - a)), and the
// materials the triangles are drawn with.
struct GenMaterial {
    float r = 0.8f, g = 0.8f, b = 0.8f, a = 1.0f;  // diffuse (the loader copies it to ambient)
    float power = 20.0f;
    float sr = 0.0f, sg = 0.0f, sb = 0.0f;          // specular
    float er = 0.0f, eg = 0.0f, eb = 0.0f;          // emissive
    std::string texture;                            // file name in the style's textures folder
};

struct GenVertex {
    Vec3 p, n;
    float u, v;
};

// One corner of a polygon in the plane, used by the extrusion helpers.
struct Point2 {
    float x, y;
};

class GenMesh {
public:
    std::vector<GenVertex> vertices;
    std::vector<std::array<uint32_t, 3>> faces;
    std::vector<uint32_t> faceMaterials;
    std::vector<GenMaterial> materials;

    // Adds a material and returns its index.
    uint32_t AddMaterial(const GenMaterial& m);
    // Adds a vertex and returns its index.
    uint32_t AddVertex(const Vec3& p, const Vec3& n, float u = 0.0f, float v = 0.0f);
    // Adds a triangle of existing vertices with the given material.
    void AddFace(uint32_t a, uint32_t b, uint32_t c, uint32_t material);
    // A flat triangle a, b, c (clockwise seen from its front), with its own vertices.
    void Triangle(uint32_t material, Vec3 a, Vec3 b, Vec3 c);
    // A flat quad a, b, c, d (clockwise seen from its front) with texture coordinates
    // (0,0), (1,0), (1,1), (0,1) at its corners unless uv is given.
    void Quad(uint32_t material, Vec3 a, Vec3 b, Vec3 c, Vec3 d,
              const std::array<float, 8>& uv = {0, 0, 1, 0, 1, 1, 0, 1});
    // An axis-aligned box from lo to hi, every face outwards; the top face maps the whole texture
    // (u along x, v along y).
    void Box(uint32_t material, Vec3 lo, Vec3 hi);
    // Same box, but the top face gets its own material.
    void Box(uint32_t sideMaterial, uint32_t topMaterial, Vec3 lo, Vec3 hi);
    // A vertical cylinder around (cx, cy) from z0 to z1, smooth sides, flat caps; the top cap maps
    // the texture onto its bounding square (north, -y, at the top of the image).
    void Cylinder(uint32_t sideMaterial, uint32_t capMaterial, float cx, float cy, float radius,
                  float z0, float z1, int segments, bool bottomCap = true);
    // A cylinder from `base` along the unit vector `axis` for `length`, smooth sides, flat caps.
    void CylinderAxis(uint32_t sideMaterial, uint32_t capMaterial, Vec3 base, Vec3 axis, float radius,
                      float length, int segments);
    // A box turned by `angle` radians about the vertical through `centre` (x, y): half sizes hx
    // along the turned x axis and hy across it, from z0 to z1.
    void TurnedBox(uint32_t material, float cx, float cy, float angle, float hx, float hy, float z0, float z1);
    // A quad given round its perimeter, turned to face `outward`, with a flat normal.
    void FacingQuad(uint32_t material, Vec3 outward, Vec3 a, Vec3 b, Vec3 c, Vec3 d,
                    const std::array<float, 8>& uv = {0, 0, 1, 0, 1, 1, 0, 1});
    // A triangle turned to face `outward`.
    void FacingTriangle(uint32_t material, Vec3 outward, Vec3 a, Vec3 b, Vec3 c);
    // A vertical cone with its base disc at zBase (radius) and its apex at zApex (above or below).
    void Cone(uint32_t material, float cx, float cy, float radius, float zBase, float zApex, int segments);
    // A sphere of smooth normals.
    void Sphere(uint32_t material, Vec3 centre, float radius, int slices, int stacks);
    // A simple polygon (corners in any order of rotation) extruded from z0 to z1; top face
    // material `top`, walls `side`. The top's texture coordinates map the square [-s, s]^2.
    void Extrude(uint32_t side, uint32_t top, const std::vector<Point2>& polygon, float z0, float z1,
                 float uvHalfSize = 5.0f);
    // A flat ring sector (annulus) in the plane z around (cx, cy) from angle a0 to a1 (radians,
    // measured from +x towards +y), facing up.
    void RingSector(uint32_t material, float cx, float cy, float r0, float r1, float a0, float a1,
                    float z, int segments);
    // A curved beam of rectangular section following the same arc: radii r0..r1, height z0..z1.
    void ArcBeam(uint32_t material, float cx, float cy, float r0, float r1, float a0, float a1,
                 float z0, float z1, int segments);
};

// Indices of the triangles of a simple polygon (ear clipping); the triangles come out
// clockwise seen from +z (the viewer above).
std::vector<std::array<int, 3>> TriangulatePolygon(const std::vector<Point2>& polygon);

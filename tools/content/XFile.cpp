#include "XFile.h"

#include <cstdio>

namespace {

// Fixed six decimals: the same input always gives the same bytes, and -0 is written as 0.
std::string Num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", static_cast<double>(v));
    std::string s(buf);
    if (s == "-0.000000") s = "0.000000";
    return s;
}

// The separator after element i of n: a comma between elements, a semicolon after the last.
const char* Sep(size_t i, size_t n) { return i + 1 < n ? "," : ";"; }

}  // namespace

std::string XFileText(const GenMesh& mesh, const std::string& meshName) {
    std::string out = "xof 0303txt 0032\n\n";
    const size_t nv = mesh.vertices.size(), nf = mesh.faces.size();
    out += "Mesh " + meshName + " {\n " + std::to_string(nv) + ";\n";
    for (size_t i = 0; i < nv; ++i) {
        const Vec3& p = mesh.vertices[i].p;
        out += " " + Num(p.x) + ";" + Num(p.y) + ";" + Num(p.z) + ";" + Sep(i, nv) + "\n";
    }
    auto faceList = [&]() {
        std::string s = " " + std::to_string(nf) + ";\n";
        for (size_t i = 0; i < nf; ++i) {
            const auto& f = mesh.faces[i];
            s += " 3;" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + ";" +
                 Sep(i, nf) + "\n";
        }
        return s;
    };
    out += faceList();

    out += "\n MeshNormals {\n " + std::to_string(nv) + ";\n";
    for (size_t i = 0; i < nv; ++i) {
        const Vec3& n = mesh.vertices[i].n;
        out += " " + Num(n.x) + ";" + Num(n.y) + ";" + Num(n.z) + ";" + Sep(i, nv) + "\n";
    }
    out += faceList() + " }\n";

    out += "\n MeshTextureCoords {\n " + std::to_string(nv) + ";\n";
    for (size_t i = 0; i < nv; ++i) {
        out += " " + Num(mesh.vertices[i].u) + ";" + Num(mesh.vertices[i].v) + ";" + Sep(i, nv) + "\n";
    }
    out += " }\n";

    out += "\n MeshMaterialList {\n " + std::to_string(mesh.materials.size()) + ";\n " + std::to_string(nf) + ";\n";
    for (size_t i = 0; i < nf; ++i) out += " " + std::to_string(mesh.faceMaterials[i]) + Sep(i, nf) + "\n";
    for (const GenMaterial& m : mesh.materials) {
        out += "\n  Material {\n";
        out += "   " + Num(m.r) + ";" + Num(m.g) + ";" + Num(m.b) + ";" + Num(m.a) + ";;\n";
        out += "   " + Num(m.power) + ";\n";
        out += "   " + Num(m.sr) + ";" + Num(m.sg) + ";" + Num(m.sb) + ";;\n";
        out += "   " + Num(m.er) + ";" + Num(m.eg) + ";" + Num(m.eb) + ";;\n";
        if (!m.texture.empty()) out += "   TextureFilename {\n    \"" + m.texture + "\";\n   }\n";
        out += "  }\n";
    }
    out += " }\n}\n";
    return out;
}

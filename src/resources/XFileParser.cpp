#include "resources/XFileParser.h"

#include <cmath>
#include <map>
#include <tuple>

#include "resources/XFileTokens.h"

namespace {

constexpr int kMaxDepth = 64;

struct Transform {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool identity = true;

    // Row vectors: this transform first, then `parent`.
    Transform Then(const Transform& parent) const {
        Transform out;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) {
                double sum = 0;
                for (int k = 0; k < 4; ++k) sum += m[r * 4 + k] * parent.m[k * 4 + c];
                out.m[r * 4 + c] = sum;
            }
        out.identity = identity && parent.identity;
        return out;
    }
    Vec3 Apply(const Vec3& v, bool point) const {
        const double w = point ? 1.0 : 0.0;
        return Vec3(float(v.x * m[0] + v.y * m[4] + v.z * m[8] + w * m[12]),
                    float(v.x * m[1] + v.y * m[5] + v.z * m[9] + w * m[13]),
                    float(v.x * m[2] + v.y * m[6] + v.z * m[10] + w * m[14]));
    }
};

// One mesh as written: positions, faces as flat index runs, and what its sub-objects add.
struct RawMesh {
    std::vector<Vec3> positions, normals;
    std::vector<std::pair<float, float>> uvs;
    std::vector<uint32_t> faceSizes, faceIndices, normalSizes, normalIndices, faceMaterials;
    std::vector<MeshMaterial> materials;
    bool materialList = false;
};

class Parser {
public:
    Parser(const std::string& data, XFileMesh* out) : data(data), out(out) {}

    bool File() {
        if (!tokens.Start(data)) return Fail("not a text or uncompressed binary .x file");
        for (XToken t = tokens.Next(); t.kind != XToken::kEnd; t = tokens.Next()) {
            if (t.kind == XToken::kName && t.text == "template") {
                if (!SkipTo(XToken::kOpen) || !SkipBody()) return false;
            } else if (t.kind == XToken::kName) {
                if (!Object(t.text, Transform(), 0)) return false;
            } else if (t.kind == XToken::kClose) {
                return Fail("unbalanced '}'");
            }
        }
        if (tokens.Broken()) return Fail("truncated");
        if (out->materials.empty()) {
            // No material list anywhere: one subset with every face and no material.
            out->faces.assign(1, std::move(plainFaces));
        } else if (!plainFaces.empty()) {
            out->materials.push_back(DefaultMaterial());
            out->faces.push_back(std::move(plainFaces));
        }
        return true;
    }

    std::string problem;

private:
    bool Fail(std::string what) {
        if (problem.empty()) problem = std::move(what);
        return false;
    }
    bool Fail(const XToken& found, const char* expected) {
        return Fail(std::string("expected ") + expected + (found.kind == XToken::kEnd ? ", found the end" : ""));
    }

    bool Number(double* value) {
        const XToken t = tokens.Next();
        if (t.kind != XToken::kNumber) return Fail(t, "a number");
        *value = t.number;
        return true;
    }
    bool Float(float* value) {
        double d = 0;
        if (!Number(&d)) return false;
        *value = float(d);
        return true;
    }
    bool Vector(Vec3* v) { return Float(&v->x) && Float(&v->y) && Float(&v->z); }
    // A count or an index: a whole number no larger than `limit`.
    bool Count(uint32_t* value, uint64_t limit, const char* what) {
        double d = 0;
        if (!Number(&d)) return false;
        if (!(d >= 0 && d <= double(limit)) || d != std::floor(d)) return Fail(std::string(what) + " out of range");
        *value = uint32_t(d);
        return true;
    }
    // A count of elements still to come: each takes at least one byte of the file.
    bool ElementCount(uint32_t* value) {
        return Count(value, std::min<uint64_t>(tokens.Remaining(), UINT32_MAX), "an element count");
    }

    bool SkipTo(XToken::Kind kind) {
        for (XToken t = tokens.Next(); t.kind != kind; t = tokens.Next())
            if (t.kind == XToken::kEnd) return Fail(t, "'{'");
        return true;
    }
    // Consumes the rest of an object whose '{' was read, nested objects included.
    bool SkipBody() {
        for (size_t open = 1; open > 0;) {
            const XToken t = tokens.Next();
            if (t.kind == XToken::kEnd) return Fail(t, "'}'");
            if (t.kind == XToken::kOpen) ++open;
            if (t.kind == XToken::kClose) --open;
        }
        return true;
    }
    // The optional object name and the '{' after a type name.
    bool Open(std::string* name = nullptr) {
        XToken t = tokens.Next();
        if (t.kind == XToken::kName) {
            if (name) *name = t.text;
            t = tokens.Next();
        }
        return t.kind == XToken::kOpen || Fail(t, "'{'");
    }

    bool Object(const std::string& type, const Transform& transform, int depth) {
        if (depth > kMaxDepth) return Fail("objects nested too deeply");
        std::string name;
        if (!Open(&name)) return false;
        if (type == "Mesh") return Mesh(transform, depth);
        if (type == "Frame") return Frame(transform, depth);
        // A material outside a material list is there to be referenced by name.
        if (type == "Material") return MaterialBody(&named[name]);
        return SkipBody();
    }

    bool Frame(const Transform& parent, int depth) {
        Transform world = parent;
        for (;;) {
            const XToken t = tokens.Next();
            if (t.kind == XToken::kClose) return true;
            if (t.kind == XToken::kOpen) {
                if (!SkipBody()) return false;  // a reference
            } else if (t.kind == XToken::kName && t.text == "FrameTransformMatrix") {
                Transform local;
                if (!Open()) return false;
                for (double& value : local.m)
                    if (!Number(&value)) return false;
                local.identity = false;
                world = local.Then(parent);
                if (!SkipBody()) return false;
            } else if (t.kind == XToken::kName) {
                if (!Object(t.text, world, depth + 1)) return false;
            } else if (t.kind == XToken::kEnd) {
                return Fail(t, "'}'");
            }
        }
    }

    bool IndexRuns(uint32_t count, uint32_t limit, std::vector<uint32_t>* sizes, std::vector<uint32_t>* indices) {
        for (uint32_t f = 0; f < count; ++f) {
            uint32_t n;
            if (!ElementCount(&n)) return false;
            sizes->push_back(n);
            for (uint32_t k = 0; k < n; ++k) {
                uint32_t index;
                if (!Count(&index, limit == 0 ? 0 : limit - 1, "a vertex index")) return false;
                if (limit == 0) return Fail("a vertex index out of range");
                indices->push_back(index);
            }
        }
        return true;
    }

    bool Mesh(const Transform& transform, int depth) {
        RawMesh mesh;
        uint32_t count;
        if (!ElementCount(&count)) return false;
        for (uint32_t i = 0; i < count; ++i) {
            Vec3 p;
            if (!Vector(&p)) return false;
            mesh.positions.push_back(p);
        }
        const uint32_t vertices = count;
        if (!ElementCount(&count) || !IndexRuns(count, vertices, &mesh.faceSizes, &mesh.faceIndices)) return false;
        for (;;) {
            const XToken t = tokens.Next();
            if (t.kind == XToken::kClose) break;
            if (t.kind == XToken::kEnd) return Fail(t, "'}'");
            if (t.kind == XToken::kOpen && !SkipBody()) return false;
            if (t.kind != XToken::kName) continue;
            if (t.text == "MeshNormals") {
                if (!Open() || !ElementCount(&count)) return false;
                for (uint32_t i = 0; i < count; ++i) {
                    Vec3 n;
                    if (!Vector(&n)) return false;
                    mesh.normals.push_back(n);
                }
                const uint32_t normals = count;
                if (!ElementCount(&count) || !IndexRuns(count, normals, &mesh.normalSizes, &mesh.normalIndices))
                    return false;
            } else if (t.text == "MeshTextureCoords") {
                if (!Open() || !ElementCount(&count)) return false;
                for (uint32_t i = 0; i < count; ++i) {
                    float u, v;
                    if (!Float(&u) || !Float(&v)) return false;
                    mesh.uvs.emplace_back(u, v);
                }
            } else if (t.text == "MeshMaterialList") {
                if (!Open() || !MaterialList(&mesh, depth)) return false;
                continue;  // the list's '}' is read
            } else {
                if (!Object(t.text, transform, depth + 1)) return false;
                continue;
            }
            if (!SkipBody()) return false;
        }
        return Emit(mesh, transform);
    }

    bool MaterialList(RawMesh* mesh, int depth) {
        uint32_t count;
        mesh->materialList = true;
        if (!ElementCount(&count) || !ElementCount(&count)) return false;
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t index;
            if (!ElementCount(&index)) return false;
            mesh->faceMaterials.push_back(index);
        }
        for (;;) {
            XToken t = tokens.Next();
            if (t.kind == XToken::kClose) return true;
            if (t.kind == XToken::kEnd) return Fail(t, "'}'");
            if (t.kind == XToken::kOpen) {  // a reference to a material named at the top
                t = tokens.Next();
                const auto found = named.find(t.text);
                if (t.kind != XToken::kName || found == named.end()) return Fail("a material reference to no material");
                mesh->materials.push_back(found->second);
                if (!SkipBody()) return false;
            } else if (t.kind == XToken::kName && t.text == "Material") {
                // A named material given in place may be referenced by later meshes' lists.
                std::string name;
                mesh->materials.emplace_back();
                if (!Open(&name) || !MaterialBody(&mesh->materials.back())) return false;
                if (!name.empty()) named[name] = mesh->materials.back();
            } else if (t.kind == XToken::kName && !Object(t.text, Transform(), depth + 1)) {
                return false;
            }
        }
    }

    bool MaterialBody(MeshMaterial* out) {
        Material& m = out->material;
        m = Material{};
        if (!Float(&m.diffuse.r) || !Float(&m.diffuse.g) || !Float(&m.diffuse.b) || !Float(&m.diffuse.a) ||
            !Float(&m.power) || !Float(&m.specular.r) || !Float(&m.specular.g) || !Float(&m.specular.b) ||
            !Float(&m.emissive.r) || !Float(&m.emissive.g) || !Float(&m.emissive.b))
            return false;
        m.specular.a = m.emissive.a = 1.0f;
        for (;;) {
            const XToken t = tokens.Next();
            if (t.kind == XToken::kClose) return true;
            if (t.kind == XToken::kEnd) return Fail(t, "'}'");
            if (t.kind == XToken::kOpen && !SkipBody()) return false;
            if (t.kind != XToken::kName) continue;
            if (!Open()) return false;
            if (t.text == "TextureFilename" || t.text == "TextureFileName") {
                const XToken name = tokens.Next();
                if (name.kind != XToken::kString) return Fail(name, "a texture file name");
                if (out->textureName.empty()) out->textureName = name.text;
            }
            if (!SkipBody()) return false;
        }
    }

    // Grey, with no ambient, specular or emissive colour and no power: every field written, as
    // Material's own members start unset.
    static MeshMaterial DefaultMaterial() {
        MeshMaterial out;
        out.material = Material{};
        out.material.diffuse = Color4(0.6f, 0.6f, 0.6f, 1.0f);
        return out;
    }

    bool Emit(const RawMesh& mesh, const Transform& transform) {
        // Normals follow their own face list when it matches the faces corner for corner.
        const bool normals = mesh.normalSizes == mesh.faceSizes;
        if (mesh.materialList && mesh.materials.empty() && !mesh.faceSizes.empty())
            return Fail("a material list without materials");
        const size_t base = out->materials.size();
        out->materials.insert(out->materials.end(), mesh.materials.begin(), mesh.materials.end());
        out->faces.resize(out->materials.size());
        size_t at = 0;
        for (size_t f = 0; f < mesh.faceSizes.size(); ++f) {
            const uint32_t n = mesh.faceSizes[f];
            std::vector<uint32_t>* list = &plainFaces;
            if (mesh.materialList) {
                // Faces beyond the list's entries keep the last material given.
                const uint32_t material = mesh.faceMaterials.empty() ? 0
                                          : f < mesh.faceMaterials.size() ? mesh.faceMaterials[f]
                                                                          : mesh.faceMaterials.back();
                if (material >= mesh.materials.size()) return Fail("a face material out of range");
                list = &out->faces[base + material];
            }
            const uint64_t first = out->corners.size();
            if (first + n > UINT32_MAX) return Fail("too many vertices");
            for (uint32_t k = 0; k < n; ++k, ++at) {
                const uint32_t index = mesh.faceIndices[at];
                MeshVertex v{mesh.positions[index], Vec3(0, 0, 0), 0.0f, 0.0f};
                if (normals) v.normal = mesh.normals[mesh.normalIndices[at]];
                if (index < mesh.uvs.size()) std::tie(v.u, v.v) = mesh.uvs[index];
                if (!transform.identity) {
                    v.position = transform.Apply(v.position, true);
                    // Frames turn and move; the normal turns with the frame and keeps unit length.
                    const Vec3 n = transform.Apply(v.normal, false);
                    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
                    v.normal = length > 0 ? Vec3(n.x / length, n.y / length, n.z / length) : n;
                }
                out->corners.push_back(v);
            }
            // A polygon becomes a fan of triangles with its winding; points and lines draw nothing.
            for (uint32_t k = 2; k < n; ++k)
                list->insert(list->end(), {uint32_t(first), uint32_t(first + k - 1), uint32_t(first + k)});
        }
        return true;
    }

    const std::string& data;
    XFileMesh* out;
    XTokenizer tokens;
    std::map<std::string, MeshMaterial> named;
    std::vector<uint32_t> plainFaces;
};

}  // namespace

bool ParseXFile(const std::string& data, XFileMesh* mesh, std::string* error) {
    XFileMesh result;
    Parser parser(data, &result);
    if (!parser.File()) {
        if (error) *error = parser.problem;
        return false;
    }
    *mesh = std::move(result);
    return true;
}

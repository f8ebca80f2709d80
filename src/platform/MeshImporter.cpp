#include "platform/MeshImporter.h"

#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <meshoptimizer.h>

#include <assimp/Importer.hpp>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Model files are small hand-made meshes; anything bigger is refused before parsing.
constexpr size_t kMaxFileBytes = 64u << 20;

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == ',' || c == '{' || c == '}';
}

// The importer sizes its arrays from the element counts a file declares before it reads the
// elements, so a count of a billion in a tiny file would take gigabytes before the read fails.
// Every element takes at least one byte of the file, so no count of a well-formed file exceeds
// the file's length; these checks refuse any integer that does.
bool TextCountsFit(const std::string& text) {
    const uint64_t limit = text.size();
    size_t i = 16;  // after the header
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {  // a string: its digits are not counts
            const size_t end = text.find('"', i + 1);
            i = end == std::string::npos ? text.size() : end + 1;
        } else if (c == '<') {  // a template's GUID
            const size_t end = text.find('>', i + 1);
            i = end == std::string::npos ? text.size() : end + 1;
        } else if (c == '#' || (c == '/' && i + 1 < text.size() && text[i + 1] == '/')) {
            const size_t end = text.find('\n', i);
            i = end == std::string::npos ? text.size() : end + 1;
        } else if (IsSeparator(c)) {
            ++i;
        } else {
            // One token: a count only when it is all digits (a float has a point or exponent, a
            // negative number wraps to a size no allocation can get and fails at once).
            size_t end = i;
            bool digits = true;
            uint64_t value = 0;
            while (end < text.size() && !IsSeparator(text[end]) && text[end] != '"') {
                const char d = text[end];
                if (d < '0' || d > '9') {
                    digits = false;
                } else if (value <= limit) {
                    value = value * 10 + static_cast<uint64_t>(d - '0');
                }
                ++end;
            }
            if (digits && value > limit) return false;
            i = end;
        }
    }
    return true;
}

uint32_t ReadU32(const std::string& data, size_t at) {
    uint32_t value;
    std::memcpy(&value, data.data() + at, 4);
    return value;
}

// The same check for the binary form: integers come singly or in lists, and every token's
// length is bounded by the file.
bool BinaryCountsFit(const std::string& data) {
    const uint64_t limit = data.size();
    const size_t floatSize = data.compare(12, 4, "0064") == 0 ? 8 : 4;
    size_t i = 16;
    auto need = [&](uint64_t bytes) { return i + bytes <= data.size(); };
    while (i + 2 <= data.size()) {
        const uint16_t token = static_cast<uint16_t>(static_cast<uint8_t>(data[i]) | (static_cast<uint8_t>(data[i + 1]) << 8));
        i += 2;
        switch (token) {
            case 1:  // name: length, characters
            case 2: {  // string: length, characters, terminator
                if (!need(4)) return false;
                const uint64_t length = ReadU32(data, i);
                i += 4;
                if (!need(length)) return false;
                i += length;
                if (token == 2) {
                    if (!need(4)) return false;
                    i += 4;
                }
                break;
            }
            case 3:  // integer
                if (!need(4) || ReadU32(data, i) > limit) return false;
                i += 4;
                break;
            case 5:  // GUID
                if (!need(16)) return false;
                i += 16;
                break;
            case 6: {  // integer list
                if (!need(4)) return false;
                const uint64_t count = ReadU32(data, i);
                i += 4;
                if (!need(count * 4)) return false;
                for (uint64_t k = 0; k < count; ++k, i += 4)
                    if (ReadU32(data, i) > limit) return false;
                break;
            }
            case 7: {  // float list
                if (!need(4)) return false;
                const uint64_t count = ReadU32(data, i);
                i += 4;
                if (!need(count * floatSize)) return false;
                i += count * floatSize;
                break;
            }
            default:  // punctuation and keywords: the token word alone
                break;
        }
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* data, std::string* error) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return Fail(error, "cannot open " + path);
    const std::streamoff size = in.tellg();
    if (size < 0) return Fail(error, "cannot read " + path);
    if (static_cast<uint64_t>(size) > kMaxFileBytes) return Fail(error, path + " is larger than 64 MiB");
    data->resize(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(data->data(), size)) return Fail(error, "cannot read " + path);
    return true;
}

Color4 ColorOf(const aiMaterial* material, const char* key, unsigned type, unsigned index) {
    aiColor4D colour(0.0f, 0.0f, 0.0f, 1.0f);
    material->Get(key, type, index, colour);
    return Color4(colour.r, colour.g, colour.b, colour.a);
}

MeshMaterial ConvertMaterial(const aiMaterial* material) {
    MeshMaterial out;
    out.material = Material{};
    out.material.diffuse = ColorOf(material, AI_MATKEY_COLOR_DIFFUSE);
    out.material.specular = ColorOf(material, AI_MATKEY_COLOR_SPECULAR);
    out.material.emissive = ColorOf(material, AI_MATKEY_COLOR_EMISSIVE);
    float power = 0.0f;
    material->Get(AI_MATKEY_SHININESS, power);
    out.material.power = power;
    // The importer files a texture under a kind guessed from its name (diffuse, normal map, …);
    // the material has at most one texture that counts, so take the first of any kind.
    for (unsigned p = 0; p < material->mNumProperties; ++p) {
        const aiMaterialProperty* property = material->mProperties[p];
        if (std::strcmp(property->mKey.C_Str(), _AI_MATKEY_TEXTURE_BASE) == 0 && property->mIndex == 0) {
            aiString name;
            if (material->Get(_AI_MATKEY_TEXTURE_BASE, property->mSemantic, 0, name) == AI_SUCCESS) {
                out.textureName = name.C_Str();
                break;
            }
        }
    }
    return out;
}

struct Gather {
    const aiScene* scene;
    std::vector<MeshVertex> vertices;           // one per face corner, as the importer gives them
    std::vector<std::vector<uint32_t>> faces;   // per material: corner indices into vertices
    std::string problem;

    // Adds the triangles of every mesh under node, placed by the node transforms down to it.
    bool Node(const aiNode* node, const aiMatrix4x4& parent, int depth) {
        if (depth > 256) return Problem("frames nested too deeply");
        const aiMatrix4x4 transform = parent * node->mTransformation;
        for (unsigned m = 0; m < node->mNumMeshes; ++m) {
            if (node->mMeshes[m] >= scene->mNumMeshes) return Problem("bad mesh reference");
            if (!Mesh(scene->mMeshes[node->mMeshes[m]], transform)) return false;
        }
        for (unsigned c = 0; c < node->mNumChildren; ++c)
            if (!Node(node->mChildren[c], transform, depth + 1)) return false;
        return true;
    }

    bool Mesh(const aiMesh* mesh, const aiMatrix4x4& transform) {
        if (mesh->mMaterialIndex >= faces.size()) return Problem("material index out of range");
        // Most files place their mesh unmoved; skipping the identity keeps their numbers exact.
        const bool moved = !transform.IsIdentity();
        aiMatrix3x3 normalTransform(transform);
        normalTransform.Inverse().Transpose();
        const uint64_t base = vertices.size();
        if (base + mesh->mNumVertices > UINT32_MAX) return Problem("too many vertices");
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            aiVector3D p = mesh->mVertices[v];
            aiVector3D n = mesh->HasNormals() ? mesh->mNormals[v] : aiVector3D(0, 0, 0);
            if (moved) {
                p = transform * p;
                if (mesh->HasNormals()) n = (normalTransform * n).NormalizeSafe();
            }
            MeshVertex out{Vec3(p.x, p.y, p.z), Vec3(n.x, n.y, n.z), 0.0f, 0.0f};
            if (mesh->HasTextureCoords(0)) {
                out.u = mesh->mTextureCoords[0][v].x;
                out.v = mesh->mTextureCoords[0][v].y;
            }
            vertices.push_back(out);
        }
        std::vector<uint32_t>& list = faces[mesh->mMaterialIndex];
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            // After triangulation a face with fewer corners means the file named a vertex that
            // does not exist.
            if (face.mNumIndices != 3) return Problem("face with a missing vertex");
            for (unsigned k = 0; k < 3; ++k) {
                if (face.mIndices[k] >= mesh->mNumVertices) return Problem("vertex index out of range");
                list.push_back(static_cast<uint32_t>(base + face.mIndices[k]));
            }
        }
        return true;
    }

    bool Problem(std::string what) {
        problem = std::move(what);
        return false;
    }
};

}  // namespace

bool ImportMesh(const std::string& path, MeshData* mesh, std::string* error) {
    if (!mesh) return Fail(error, "no mesh to fill");
    std::string data;
    if (!ReadWholeFile(path, &data, error)) return false;
    if (data.size() < 16 || data.compare(0, 4, "xof ") != 0) return Fail(error, path + " is not a .x file");
    const std::string format = data.substr(8, 4);
    if (format == "txt ") {
        if (!TextCountsFit(data)) return Fail(error, path + " declares more elements than it holds");
    } else if (format == "bin ") {
        if (!BinaryCountsFit(data)) return Fail(error, path + " declares more elements than it holds");
    } else {
        // Compressed files would need inflating before their counts can be checked; the game's
        // models are never compressed.
        return Fail(error, path + ": only text and uncompressed binary .x files are read");
    }

    Assimp::Importer importer;
    // The "x" hint picks the .x reader whatever the file is called.
    const aiScene* scene = importer.ReadFileFromMemory(data.data(), data.size(),
                                                       aiProcess_ConvertToLeftHanded | aiProcess_Triangulate, "x");
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE))
        return Fail(error, path + ": " + importer.GetErrorString());

    Gather gather{scene, {}, std::vector<std::vector<uint32_t>>(scene->mNumMaterials), {}};
    if (!gather.Node(scene->mRootNode, aiMatrix4x4(), 0)) return Fail(error, path + ": " + gather.problem);
    size_t indexCount = 0;
    for (const auto& list : gather.faces) indexCount += list.size();
    if (indexCount == 0) return Fail(error, path + ": no triangles");

    MeshData result;
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) result.materials.push_back(ConvertMaterial(scene->mMaterials[i]));

    // Subsets follow each other in material order in one index list.
    std::vector<uint32_t> indices;
    indices.reserve(indexCount);
    for (const auto& list : gather.faces) {
        result.subsets.push_back(MeshSubset{static_cast<uint32_t>(indices.size()), static_cast<uint32_t>(list.size())});
        indices.insert(indices.end(), list.begin(), list.end());
    }

    // Merge the bitwise-identical corners the importer kept apart, then order each subset's
    // triangles for the vertex cache (winding is kept: triangles move whole).
    std::vector<unsigned int> remap(gather.vertices.size());
    const size_t unique = meshopt_generateVertexRemap(remap.data(), indices.data(), indices.size(),
                                                      gather.vertices.data(), gather.vertices.size(), sizeof(MeshVertex));
    result.vertices.resize(unique);
    meshopt_remapVertexBuffer(result.vertices.data(), gather.vertices.data(), gather.vertices.size(),
                              sizeof(MeshVertex), remap.data());
    result.indices.resize(indices.size());
    meshopt_remapIndexBuffer(result.indices.data(), indices.data(), indices.size(), remap.data());
    for (const MeshSubset& subset : result.subsets) {
        if (subset.indexCount == 0) continue;
        uint32_t* range = result.indices.data() + subset.indexStart;
        meshopt_optimizeVertexCache(range, range, subset.indexCount, unique);
    }

    *mesh = std::move(result);
    return true;
}

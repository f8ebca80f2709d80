#include "platform/MeshImporter.h"

#ifdef __EMSCRIPTEN__
#include <cstring>

#include "platform/VertexRemap.h"
#else
#include <meshoptimizer.h>
#endif

#include <fstream>

#include "platform/XFileParser.h"

namespace {

// Model files are small hand-made meshes (the game's largest is a fifth of a megabyte); a
// bigger file is refused before reading, so that no file can make the import take more than a
// few hundred megabytes.
constexpr uint64_t kMaxFileBytes = 4u << 20;

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

bool ReadWholeFile(const std::string& path, std::string* data, std::string* error) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return Fail(error, "cannot open " + path);
    const std::streamoff size = in.tellg();
    if (size < 0) return Fail(error, "cannot read " + path);
    if (static_cast<uint64_t>(size) > kMaxFileBytes) return Fail(error, path + " is larger than 4 MiB");
    data->resize(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(data->data(), size)) return Fail(error, "cannot read " + path);
    return true;
}

}  // namespace

bool ImportMesh(const std::string& path, MeshData* mesh, std::string* error) {
    if (!mesh) return Fail(error, "no mesh to fill");
    std::string data;
    if (!ReadWholeFile(path, &data, error)) return false;
    XFileMesh parsed;
    std::string problem;
    if (!ParseXFile(data, &parsed, &problem)) return Fail(error, path + ": " + problem);
    std::string().swap(data);

    size_t indexCount = 0;
    for (const auto& list : parsed.faces) indexCount += list.size();
    if (indexCount == 0) return Fail(error, path + ": no triangles");

    MeshData result;
    result.materials = std::move(parsed.materials);
    // Subsets follow each other in material order in one index list.
    std::vector<uint32_t> indices;
    indices.reserve(indexCount);
    for (auto& list : parsed.faces) {
        result.subsets.push_back(MeshSubset{static_cast<uint32_t>(indices.size()), static_cast<uint32_t>(list.size())});
        indices.insert(indices.end(), list.begin(), list.end());
        std::vector<uint32_t>().swap(list);
    }

    // Merge the bitwise-identical corners, then order each subset's triangles for the vertex
    // cache (winding is kept: triangles move whole).
    const std::vector<MeshVertex>& corners = parsed.corners;
#ifdef __EMSCRIPTEN__
    // The browser build has no meshoptimizer: the same merge, and the triangles in file order
    // (the cache order only changes speed, never which pixels a subset covers).
    std::vector<uint8_t> merged;
    MergeIdenticalVertices(corners.data(), corners.size(), sizeof(MeshVertex), indices, &merged, &result.indices);
    result.vertices.resize(merged.size() / sizeof(MeshVertex));
    std::memcpy(result.vertices.data(), merged.data(), merged.size());
#else
    std::vector<unsigned int> remap(corners.size());
    const size_t unique = meshopt_generateVertexRemap(remap.data(), indices.data(), indices.size(), corners.data(),
                                                      corners.size(), sizeof(MeshVertex));
    result.vertices.resize(unique);
    meshopt_remapVertexBuffer(result.vertices.data(), corners.data(), corners.size(), sizeof(MeshVertex), remap.data());
    result.indices.resize(indices.size());
    meshopt_remapIndexBuffer(result.indices.data(), indices.data(), indices.size(), remap.data());
    for (const MeshSubset& subset : result.subsets) {
        if (subset.indexCount == 0) continue;
        uint32_t* range = result.indices.data() + subset.indexStart;
        meshopt_optimizeVertexCache(range, range, subset.indexCount, unique);
    }
#endif

    *mesh = std::move(result);
    return true;
}

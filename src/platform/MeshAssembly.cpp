#include "platform/MeshAssembly.h"

#ifdef __EMSCRIPTEN__
#include <cstring>

#include "platform/VertexRemap.h"
#else
#include <meshoptimizer.h>
#endif

MeshData AssembleMesh(std::vector<MeshVertex>* corners, std::vector<std::vector<uint32_t>>* faces,
                      std::vector<MeshMaterial>* materials) {
    MeshData result;
    result.materials = std::move(*materials);
    size_t indexCount = 0;
    for (const auto& list : *faces) indexCount += list.size();
    // Subsets follow each other in material order in one index list.
    std::vector<uint32_t> indices;
    indices.reserve(indexCount);
    for (auto& list : *faces) {
        result.subsets.push_back(MeshSubset{static_cast<uint32_t>(indices.size()), static_cast<uint32_t>(list.size())});
        indices.insert(indices.end(), list.begin(), list.end());
        std::vector<uint32_t>().swap(list);
    }
    faces->clear();

#ifdef __EMSCRIPTEN__
    // The browser build has no meshoptimizer: the same merge, and the triangles in file order
    // (the cache order only changes speed, never which pixels a subset covers).
    std::vector<uint8_t> merged;
    MergeIdenticalVertices(corners->data(), corners->size(), sizeof(MeshVertex), indices, &merged, &result.indices);
    result.vertices.resize(merged.size() / sizeof(MeshVertex));
    std::memcpy(result.vertices.data(), merged.data(), merged.size());
    std::vector<MeshVertex>().swap(*corners);
#else
    std::vector<unsigned int> remap(corners->size());
    const size_t unique = meshopt_generateVertexRemap(remap.data(), indices.data(), indices.size(), corners->data(),
                                                      corners->size(), sizeof(MeshVertex));
    result.vertices.resize(unique);
    meshopt_remapVertexBuffer(result.vertices.data(), corners->data(), corners->size(), sizeof(MeshVertex), remap.data());
    std::vector<MeshVertex>().swap(*corners);
    result.indices.resize(indices.size());
    meshopt_remapIndexBuffer(result.indices.data(), indices.data(), indices.size(), remap.data());
    for (const MeshSubset& subset : result.subsets) {
        if (subset.indexCount == 0) continue;
        uint32_t* range = result.indices.data() + subset.indexStart;
        meshopt_optimizeVertexCache(range, range, subset.indexCount, unique);
    }
#endif
    return result;
}

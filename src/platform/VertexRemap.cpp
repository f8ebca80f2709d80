#include "platform/VertexRemap.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

void MergeIdenticalVertices(const void* vertices, size_t vertexCount, size_t vertexSize,
                            const std::vector<uint32_t>& indices, std::vector<uint8_t>* mergedVertices,
                            std::vector<uint32_t>* mergedIndices) {
    const auto* bytes = static_cast<const char*>(vertices);
    // A vertex's bytes name its merged index; the first index list entry to use them fixes it.
    std::unordered_map<std::string_view, uint32_t> firstUse;
    firstUse.reserve(vertexCount);
    std::vector<uint32_t> remap(vertexCount, UINT32_MAX);
    mergedVertices->clear();
    mergedIndices->clear();
    mergedIndices->reserve(indices.size());
    for (const uint32_t index : indices) {
        if (index >= vertexCount) {
            mergedIndices->push_back(0);
            continue;
        }
        if (remap[index] == UINT32_MAX) {
            const std::string_view key(bytes + index * vertexSize, vertexSize);
            const auto [it, added] = firstUse.emplace(key, static_cast<uint32_t>(firstUse.size()));
            if (added) mergedVertices->insert(mergedVertices->end(), key.begin(), key.end());
            remap[index] = it->second;
        }
        mergedIndices->push_back(remap[index]);
    }
}

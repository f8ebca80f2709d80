#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Merges the bitwise-identical vertices of an indexed mesh: the vertices kept are in the order of
// their first use by the index list (unused ones are dropped) and the indices are rewritten to
// them. The same result as meshoptimizer's remap, for platforms built without that library.
void MergeIdenticalVertices(const void* vertices, size_t vertexCount, size_t vertexSize,
                            const std::vector<uint32_t>& indices, std::vector<uint8_t>* mergedVertices,
                            std::vector<uint32_t>* mergedIndices);

#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "math/Vec3.h"
#include "platform/RenderTypes.h"

// A mesh as imported from a model file, held in memory with no GPU involved (the simulator and
// the tests read its bounding sphere); a render device uploads it on first draw.
struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    float u, v;
};

// One subset per material of the file, indexed by material number: the faces (index triples)
// drawn with that material. A material without faces has an empty range but still counts.
struct MeshSubset {
    uint32_t indexStart = 0;  // first index in MeshData::indices
    uint32_t indexCount = 0;  // a multiple of 3
};

struct MeshMaterial {
    Material material;        // colours and power exactly as the file gives them
    std::string textureName;  // as written in the file (backslashes and case kept); empty for none
};

struct MeshData {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<MeshSubset> subsets;      // the attribute table: subset i is drawn with material i
    std::vector<MeshMaterial> materials;  // parallel to subsets
};

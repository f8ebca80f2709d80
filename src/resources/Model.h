#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "math/Vec3.h"
#include "platform/MeshData.h"

// A loaded model: its mesh, one material id and one texture name per material, and the bounding
// sphere of its vertex positions. A record added by a lookup has no mesh and a zero sphere.
struct Model {
    std::unique_ptr<MeshData> mesh;
    std::vector<uint32_t> materialIds;
    std::vector<std::string> textureNames;
    Vec3 boundCentre{0.0f, 0.0f, 0.0f};
    float boundRadius = 0.0f;
};

// The bounding sphere of a mesh's vertex positions, as the catalogue gives its models (a zero
// sphere for a mesh without vertices).
void ModelBounds(const MeshData& mesh, Vec3* centre, float* radius);

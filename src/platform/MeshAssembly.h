#pragma once
#include <cstdint>
#include <vector>

#include "platform/MeshData.h"

// Builds the mesh the game draws from a vertex per face corner and, per material, triangles as
// corner indices (`faces[i]` is subset i; `materials` parallel to it, or empty): bitwise-identical
// corners merged, each subset's triangles put in vertex-cache order with their winding kept.
// The lists given are emptied as they are used.
MeshData AssembleMesh(std::vector<MeshVertex>* corners, std::vector<std::vector<uint32_t>>* faces,
                      std::vector<MeshMaterial>* materials);

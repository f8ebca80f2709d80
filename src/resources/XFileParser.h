#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/MeshData.h"

// The meshes of a `.x` file gathered into one: a vertex for every face corner (placed by the
// frames above its mesh) and, per material, the triangles as corner indices. Without any
// material list in the file, `materials` is empty and `faces` has one list with every triangle.
struct XFileMesh {
    std::vector<MeshVertex> corners;
    std::vector<std::vector<uint32_t>> faces;
    std::vector<MeshMaterial> materials;
};

// Reads a whole text or uncompressed binary `.x` file held in memory. Memory and time stay
// within a small multiple of the data's size whatever it declares; false with a reason in
// *error for data that is not a readable `.x` mesh.
bool ParseXFile(const std::string& data, XFileMesh* mesh, std::string* error);

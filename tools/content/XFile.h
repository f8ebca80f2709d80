#pragma once
#include <string>

#include "Mesh.h"

// The text of a DirectX .x file holding `mesh` as one Mesh with normals, texture coordinates and
// its materials declared inline in the MeshMaterialList (never by reference), textures by file name.
std::string XFileText(const GenMesh& mesh, const std::string& meshName);

#pragma once
#include <string>

#include "platform/MeshData.h"

// Reads a `.x` mesh file (text or uncompressed binary) into *mesh: positions, normals, texture
// coordinates and winding as the file writes them; one subset per material in the file's
// material order (a material without faces keeps an empty subset; a file without a material
// list has no materials and one subset with every face); identical vertices merged and each
// subset's triangles in vertex-cache order. Returns false, with a reason in *error when error is
// not null, for a missing, empty, truncated, malformed or over 4 MiB file; *mesh is then left
// unchanged. Memory and time stay within a small multiple of the file's size.
bool ImportMesh(const std::string& path, MeshData* mesh, std::string* error = nullptr);

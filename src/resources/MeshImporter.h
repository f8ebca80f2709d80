#pragma once
#include <string>

#include "platform/MeshData.h"

// How a `.x` file is written, from its header.
struct XFileFormat {
    bool binary = false;      // else text
    bool compressed = false;  // "tzip" or "bzip": MSZIP blocks
    int floatBits = 32;       // 32 or 64
};

// Reads a `.x` mesh file (text or binary, either of them compressed) into *mesh: positions,
// normals, texture coordinates and winding as the file writes them, every mesh of the file placed
// by its frames and joined into one; one subset per material in the file's material order (a
// material without faces keeps an empty subset; a file without a material list has no materials
// and one subset with every face); identical vertices merged and each subset's triangles in
// vertex-cache order. Fills *format when given and the header was read. Returns false, with a
// reason in *error when error is not null, for a missing, empty, truncated, malformed or over
// 4 MiB file (compressed: or inflating to more); *mesh is then left unchanged. Memory and time
// stay within a small multiple of 4 MiB.
bool ImportMesh(const std::string& path, MeshData* mesh, std::string* error = nullptr, XFileFormat* format = nullptr);

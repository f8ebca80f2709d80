#include "resources/MeshImporter.h"

#include <fstream>

#include "platform/MeshAssembly.h"
#include "resources/XFileCompressed.h"
#include "resources/XFileParser.h"

namespace {

// Model files are small hand-made meshes (the game's largest is a fifth of a megabyte); a
// bigger file, or a compressed one that inflates to more, is refused before reading, so that no
// file can make the import take more than a few hundred megabytes.
constexpr uint64_t kMaxFileBytes = 4u << 20;

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

bool ReadWholeFile(const std::string& path, std::string* data, std::string* error) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return Fail(error, "cannot open " + path);
    const std::streamoff size = in.tellg();
    if (size < 0) return Fail(error, "cannot read " + path);
    if (static_cast<uint64_t>(size) > kMaxFileBytes) return Fail(error, path + " is larger than 4 MiB");
    data->resize(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(data->data(), size)) return Fail(error, "cannot read " + path);
    return true;
}

}  // namespace

bool ImportMesh(const std::string& path, MeshData* mesh, std::string* error, XFileFormat* format) {
    if (!mesh) return Fail(error, "no mesh to fill");
    std::string data;
    if (!ReadWholeFile(path, &data, error)) return false;
    if (format && data.size() >= 16 && data.compare(0, 4, "xof ") == 0) {
        format->compressed = IsCompressedXFile(data);
        format->binary = data.compare(8, 4, "bin ") == 0 || data.compare(8, 4, "bzip") == 0;
        format->floatBits = data.compare(12, 4, "0064") == 0 ? 64 : 32;
    }
    std::string problem;
    if (IsCompressedXFile(data)) {
        std::string plain;
        if (!ExpandCompressedXFile(data, kMaxFileBytes, &plain, &problem)) return Fail(error, path + ": " + problem);
        data.swap(plain);
    }
    XFileMesh parsed;
    if (!ParseXFile(data, &parsed, &problem)) return Fail(error, path + ": " + problem);
    std::string().swap(data);

    size_t indexCount = 0;
    for (const auto& list : parsed.faces) indexCount += list.size();
    if (indexCount == 0) return Fail(error, path + ": no triangles");
    *mesh = AssembleMesh(&parsed.corners, &parsed.faces, &parsed.materials);
    return true;
}

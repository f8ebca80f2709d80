#include "ModelReport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>

#include "resources/MeshImporter.h"
#include "resources/Model.h"

namespace {

namespace fs = std::filesystem;

std::string Numbers(std::initializer_list<float> values) {
    std::string out;
    for (float v : values) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", v);
        out += (out.empty() ? "" : " ") + std::string(text);
    }
    return out;
}

// The texture list of the style `model` belongs to: the path of its textures.txt, or empty.
std::string TextureListFor(const std::string& model) {
    std::error_code ec;
    const fs::path folder = fs::path(model).parent_path();
    if (folder.filename() == "models") {
        const fs::path list = folder.parent_path() / "textures.txt";
        if (fs::is_regular_file(list, ec)) return list.string();
    }
    std::ifstream styles("styles.txt");
    std::string index, style;
    if (styles >> index >> style) {
        const fs::path list = fs::path(style) / "textures.txt";
        if (fs::is_regular_file(list, ec)) return list.string();
    }
    return {};
}

// The names a texture list gives, read as the game reads it.
std::set<std::string> ListedTextures(const std::string& list) {
    std::ifstream in(list);
    std::set<std::string> names;
    for (std::string name; in >> name;) names.insert(name);
    return names;
}

std::string FormatOf(const XFileFormat& format) {
    return std::string(format.compressed ? "compressed " : "") + (format.binary ? "binary" : "text") + ", " +
           std::to_string(format.floatBits) + "-bit floats";
}

}  // namespace

int RunModelReport(const std::vector<std::string>& files, std::ostream& out) {
    int status = 0;
    for (const std::string& file : files) {
        MeshData mesh;
        std::string reason;
        XFileFormat format;
        if (!ImportMesh(file, &mesh, &reason, &format)) {
            if (reason.rfind(file + ": ", 0) == 0) reason.erase(0, file.size() + 2);
            out << file << ": refused: " << reason << "\n";
            status = 1;
            continue;
        }
        Vec3 centre;
        float radius = 0;
        ModelBounds(mesh, &centre, &radius);
        const std::string list = TextureListFor(file);
        const std::set<std::string> listed = ListedTextures(list);
        out << file << ": " << FormatOf(format) << "\n";
        out << "  vertices: " << mesh.vertices.size() << "\n";
        out << "  triangles: " << mesh.indices.size() / 3 << "\n";
        out << "  materials: " << mesh.materials.size() << "\n";
        for (size_t i = 0; i < mesh.materials.size(); ++i) {
            const Material& m = mesh.materials[i].material;
            const std::string& texture = mesh.materials[i].textureName;
            out << "  material " << i << ": " << mesh.subsets[i].indexCount / 3 << " triangles, diffuse "
                << Numbers({m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a}) << ", specular "
                << Numbers({m.specular.r, m.specular.g, m.specular.b}) << ", emissive "
                << Numbers({m.emissive.r, m.emissive.g, m.emissive.b}) << ", power " << Numbers({m.power}) << ", ";
            if (texture.empty()) {
                out << "no texture\n";
                continue;
            }
            out << "texture \"" << texture << "\"";
            if (!list.empty())
                out << (listed.count(texture) ? " (listed in " : " (not listed in ") << list
                    << (listed.count(texture) ? ")" : ": drawn without it)");
            out << "\n";
        }
        out << "  bounding sphere: centre " << Numbers({centre.x, centre.y, centre.z}) << ", radius "
            << Numbers({radius}) << "\n";
    }
    return status;
}

#include <cstddef>
#include <fstream>

#include "math/MathFunctions.h"
#include "platform/LoadReport.h"
#include "resources/MeshImporter.h"
#include "resources/ResourceCatalogue.h"

static_assert(offsetof(MeshVertex, position) == 0, "the bounding sphere reads positions from the first vertex on");

void ModelBounds(const MeshData& mesh, Vec3* centre, float* radius) {
    *centre = Vec3(0.0f, 0.0f, 0.0f);
    *radius = 0.0f;
    if (!mesh.vertices.empty())
        ComputeBoundingSphere(&mesh.vertices[0].position, mesh.vertices.size(), sizeof(MeshVertex), centre, radius);
}

int ResourceCatalogue::LoadModels(int32_t style) {
    std::ifstream list(StylePath(style, "models.txt"));
    if (!list) LoadReport(StylePath(style, "models.txt"), "cannot be opened");
    std::string name, file;
    // Records of a model name and a file name; the first incomplete record ends the list.
    while (list >> name >> file) {
        Model& model = FindModel(name);
        // A name loaded again takes the new file's mesh, materials and sphere as a whole, so
        // that its subsets and material entries always belong together.
        model = Model{};
        auto mesh = std::make_unique<MeshData>();
        const std::string path = StylePath(style, "models/" + file);
        std::string reason;
        if (!ImportMesh(path, mesh.get(), &reason)) {
            LoadReport(path, reason + "; the model list stops here");
            return 1;  // the record stays, meshless
        }

        ModelBounds(*mesh, &model.boundCentre, &model.boundRadius);
        for (const MeshMaterial& imported : mesh->materials) {
            Material material = imported.material;
            // Lit by the global ambient as strongly as by the light: ambient follows diffuse.
            material.ambient = material.diffuse;
            materials[nextMaterialId] = material;
            model.materialIds.push_back(nextMaterialId++);
            model.textureNames.push_back(imported.textureName);
        }
        model.mesh = std::move(mesh);
    }
    return 0;
}

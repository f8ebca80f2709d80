#include "graphics/ModelDrawing.h"

#include <cstring>

#include "level/Level.h"
#include "platform/RenderDevice.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"

void DrawCatalogueModel(RenderDevice* device, ResourceCatalogue* catalogue, const char* name) {
    if (!device || !catalogue) return;
    const Model& model = catalogue->FindModel(name);
    if (!model.mesh) return;
    const MeshData& mesh = *model.mesh;
    // The subset number is at once the attribute id and the index into the material and texture
    // lists; a model whose lists are shorter than its attribute table stops at the shorter.
    const size_t count = mesh.subsets.size();
    for (size_t i = 0; i < count && i < model.materialIds.size() && i < model.textureNames.size(); ++i) {
        const Material material = catalogue->FindMaterial(model.materialIds[i]);
        device->SetMaterial(material);
        const std::string& textureName = model.textureNames[i];
        device->SetTexture(0, textureName.empty() ? nullptr : catalogue->FindTexture(textureName));
        device->DrawSubset(mesh, static_cast<uint32_t>(i));
    }
}

void DrawModel(const char* name) { DrawCatalogueModel(g_device, g_catalogue, name); }

void Level::DrawModel(const char* name) { DrawCatalogueModel(device, catalogue, name); }

void Level::Draw() {
    if (!device) return;
    Matrix4 world;
    for (const LevelObject& object : objects) {
        if (object.name == ObjectName::kBlocked) continue;
        device->SetTransform(TransformType::World, *object.WorldMatrix(&world));
        // The stage-0 operations are set only here and stay in force for everything drawn later.
        device->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
        device->SetTextureStageState(0, TextureStageStateType::ColorArg1, kTaTexture);
        device->SetTextureStageState(0, TextureStageStateType::ColorArg2, kTaDiffuse);
        device->SetTextureStageState(0, TextureStageStateType::AlphaOp, kTopDisable);
        DrawModel(object.name.c_str());
    }
    device->SetTransform(TransformType::World, *TrainWorldMatrix(&world));
    DrawModel("train");
}

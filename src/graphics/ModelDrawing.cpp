#include "graphics/ModelDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/ViewVolume.h"
#include "math/MathFunctions.h"

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

namespace {

// The view of the frame being drawn, when it culls.
ViewVolume g_frameView;
bool g_frameViewSet = false;

// Reused from frame to frame so that drawing allocates nothing once warm.
std::vector<uint32_t>& Candidates() {
    static std::vector<uint32_t> positions;
    return positions;
}

// The farthest any point of the bounding sphere of a model that draws one of `names` lies from
// the model's origin ("blocked" is never drawn).
float LargestModelReach(ResourceCatalogue& catalogue, const std::vector<ObjectName>& names) {
    float reach = 0.0f;
    for (ObjectName name : names) {
        if (name == ObjectName::kBlocked) continue;
        const Model& model = catalogue.FindModel(name);
        const Vec3& c = model.boundCentre;
        reach = std::max(reach, std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z) + std::fabs(model.boundRadius));
    }
    return reach;
}

void DrawObject(Level& level, const LevelObject& object, Matrix4* world) {
    RenderDevice* device = level.device;
    device->SetTransform(TransformType::World, *world);
    // The stage-0 operations are set only here and stay in force for everything drawn later.
    device->SetTextureStageState(0, TextureStageStateType::ColorOp, kTopModulate);
    device->SetTextureStageState(0, TextureStageStateType::ColorArg1, kTaTexture);
    device->SetTextureStageState(0, TextureStageStateType::ColorArg2, kTaDiffuse);
    device->SetTextureStageState(0, TextureStageStateType::AlphaOp, kTopDisable);
    level.DrawModel(object.name.c_str());
}

// Draws, in list order, the objects whose bounding spheres may show in `view`: found through the
// tile index when the tiles in view are fewer than the objects, else by walking the list.
void DrawObjectsInView(Level& level, const ViewVolume& view) {
    const ObjectList& objects = level.objects;
    if (objects.empty() || objects.minX() > objects.maxX()) return;
    ResourceCatalogue& catalogue = *level.catalogue;
    // Every sphere lies within `reach` of its tile centre on the floor, so only tiles within
    // 2 * reach of the part of the view less than 2 * reach above or below the floor can show.
    const float reach = LargestModelReach(catalogue, objects.names()) * objects.maxScale();
    TileRect rect = TilesSeen(view, -2.0f * reach, 2.0f * reach, 2.0f * reach);
    rect.minX = std::max<int64_t>(rect.minX, objects.minX()), rect.maxX = std::min<int64_t>(rect.maxX, objects.maxX());
    rect.minY = std::max<int64_t>(rect.minY, objects.minY()), rect.maxY = std::min<int64_t>(rect.maxY, objects.maxY());
    if (rect.Empty()) return;

    std::vector<uint32_t>& positions = Candidates();
    positions.clear();
    const bool walk = rect.Area() >= objects.size();
    if (!walk) {
        for (int64_t y = rect.minY; y <= rect.maxY; ++y)
            for (int64_t x = rect.minX; x <= rect.maxX; ++x)
                objects.ForEachOnTile(static_cast<int32_t>(x), static_cast<int32_t>(y),
                                      [&positions](size_t p) { positions.push_back(static_cast<uint32_t>(p)); });
        std::sort(positions.begin(), positions.end());
    }
    const size_t count = walk ? objects.size() : positions.size();
    Matrix4 world;
    for (size_t k = 0; k < count; ++k) {
        const LevelObject& object = objects[walk ? k : positions[k]];
        if (object.name == ObjectName::kBlocked) continue;
        if (walk && (object.x < rect.minX || object.x > rect.maxX || object.y < rect.minY || object.y > rect.maxY))
            continue;
        object.WorldMatrix(&world);
        const Model& model = catalogue.FindModel(object.name);
        Vec3 centre;
        Vec3TransformCoord(&centre, model.boundCentre, world);
        if (!SphereMayShow(view, centre, model.boundRadius * std::fabs(object.scale))) continue;
        DrawObject(level, object, &world);
    }
}

}  // namespace

void SetFrameView(const Matrix4* viewProjection) {
    g_frameViewSet = viewProjection && MakeViewVolume(*viewProjection, &g_frameView);
}

void DrawLevelObjects(Level& level) {
    if (!level.device) return;
    Matrix4 world;
    if (g_frameViewSet && level.catalogue) {
        DrawObjectsInView(level, g_frameView);
    } else {
        for (const LevelObject& object : level.objects) {
            if (object.name == ObjectName::kBlocked) continue;
            object.WorldMatrix(&world);
            DrawObject(level, object, &world);
        }
    }
}

void DrawLevelTrain(Level& level) {
    if (!level.device) return;
    Matrix4 world;
    level.device->SetTransform(TransformType::World, *level.TrainWorldMatrix(&world));
    level.DrawModel("train");
}

void Level::Draw() {
    DrawLevelObjects(*this);
    DrawLevelTrain(*this);
}

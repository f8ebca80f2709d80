#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/RenderTypes.h"
#include "resources/Model.h"

class CSound;
class RenderDevice;
class SoundSystem;
class Texture;

// Everything the game loads besides the levels, found by name. Built once; lookups of unknown
// keys add an empty entry and return it.
class ResourceCatalogue {
public:
    std::map<std::string, Model> models;
    std::map<std::string, std::unique_ptr<Texture>> textures;  // null when the file failed to load
    std::map<uint32_t, Material> materials;
    std::map<std::string, std::unique_ptr<CSound>> sounds;
    std::map<int32_t, std::string> styles;
    std::vector<std::string> levels;
    uint32_t nextMaterialId = 0;
    SoundSystem* soundSystem = nullptr;  // not owned
    RenderDevice* device = nullptr;      // not owned

    // With a device: reads styles.txt, loads style 0 and reads levels.txt from the current
    // directory. With a null device the catalogue stays empty.
    ResourceCatalogue(RenderDevice* device, SoundSystem* soundSystem);
    ~ResourceCatalogue();

    int LoadStyles();
    int LoadStyle(int32_t style);
    int LoadLevelList();
    int LoadModels(int32_t style);
    int LoadSounds(int32_t style);
    int LoadTextures(int32_t style);

    // Lookups; each adds an empty entry for a key it does not find.
    Model& FindModel(const std::string& name);
    Material FindMaterial(uint32_t id);
    Texture* FindTexture(const std::string& name);
    CSound* FindSound(const std::string& name);
    const std::string& StyleFolder(int32_t style);
    // The style's folder joined with `relative` ("models.txt", "models/" + a listed file name),
    // backslashes of list entries turned into this platform's separator.
    std::string StylePath(int32_t style, const std::string& relative);
};

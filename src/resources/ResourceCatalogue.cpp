#include "resources/ResourceCatalogue.h"

#include <fstream>

#include "audio/Sound.h"
#include "platform/LoadReport.h"
#include "platform/RenderDevice.h"

ResourceCatalogue::ResourceCatalogue(RenderDevice* device_, SoundSystem* soundSystem_) {
    if (!device_) return;
    device = device_;
    soundSystem = soundSystem_;
    LoadStyles();
    LoadStyle(0);
    LoadLevelList();
}

ResourceCatalogue::~ResourceCatalogue() = default;

int ResourceCatalogue::LoadStyles() {
    // Records of a number and a folder name; the first record that cannot be read ends the list.
    std::ifstream in("styles.txt");
    if (!in) LoadReport("styles.txt", "cannot be opened");
    int32_t number;
    std::string folder;
    while (in >> number >> folder) styles[number] = folder;
    return 0;
}

int ResourceCatalogue::LoadStyle(int32_t style) {
    LoadModels(0);
    LoadSounds(0);
    LoadTextures(0);
    if (style != 0) {
        LoadModels(style);
        LoadSounds(style);
        LoadTextures(style);
    }
    return 0;
}

int ResourceCatalogue::LoadLevelList() {
    std::ifstream in("levels.txt");
    if (!in) LoadReport("levels.txt", "cannot be opened");
    std::string name;
    while (in >> name) levels.push_back(name);
    return 0;
}

Model& ResourceCatalogue::FindModel(const std::string& name) { return models[name]; }

Material ResourceCatalogue::FindMaterial(uint32_t id) {
    auto [it, added] = materials.try_emplace(id);
    if (added) it->second = Material{};
    return it->second;
}

Texture* ResourceCatalogue::FindTexture(const std::string& name) { return textures[name].get(); }

CSound* ResourceCatalogue::FindSound(const std::string& name) { return sounds[name].get(); }

const std::string& ResourceCatalogue::StyleFolder(int32_t style) { return styles[style]; }

std::string ResourceCatalogue::StylePath(int32_t style, const std::string& relative) {
    std::string path = StyleFolder(style) + "/" + relative;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

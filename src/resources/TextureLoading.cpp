#include <fstream>
#include <string>

#include "platform/RenderDevice.h"
#include "resources/ResourceCatalogue.h"

int ResourceCatalogue::LoadTextures(int32_t style) {
    const std::string folder = StyleFolder(style);
    std::ifstream list(folder + "/textures.txt");
    // One file name a record; the name is also the key the models' materials use.
    std::string name;
    while (list >> name) {
        Texture* texture = nullptr;
        if (device) device->CreateTextureFromFile(folder + "/textures/" + name, &texture);
        // A file that did not load is stored as null, so its users draw untextured.
        textures[name].reset(texture);
    }
    return 0;
}

#include <fstream>
#include <string>

#include "platform/RenderDevice.h"
#include "platform/LoadReport.h"
#include "resources/ResourceCatalogue.h"

int ResourceCatalogue::LoadTextures(int32_t style) {
    std::ifstream list(StylePath(style, "textures.txt"));
    if (!list) LoadReport(StylePath(style, "textures.txt"), "cannot be opened");
    // One file name a record; the name is also the key the models' materials use.
    std::string name;
    while (list >> name) {
        Texture* texture = nullptr;
        // The name stays as listed (it is the key the models' texture names match); the path
        // gets slashes.
        if (device) device->CreateTextureFromFile(StylePath(style, "textures/" + name), &texture);
        // A file that did not load is stored as null, so its users draw untextured.
        textures[name].reset(texture);
    }
    return 0;
}

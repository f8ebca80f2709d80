#pragma once
#include <string>
#include <vector>

#include "Image.h"

// One texture of the style: its file name (as the models and textures.txt name it) and pixels.
struct NamedImage {
    std::string fileName;
    Image image;
};

// Every texture the models use, except the menu screens.
std::vector<NamedImage> MakeTextures();

#pragma once
#include <string>
#include <vector>

#include "Mesh.h"

// One model of the style: the name the game draws it by, its .x file name and its mesh.
struct NamedModel {
    std::string name;
    std::string fileName;
    GenMesh mesh;
};

// Every model the game draws during play (the menu screens come from MakeMenuModels).
std::vector<NamedModel> MakeModels();

#pragma once
#include <string>
#include <vector>

#include "Image.h"
#include "Mesh.h"

// A menu screen: a textured quad under the fixed menu camera, and the texture it shows.
struct MenuScreen {
    std::string name;         // the model name the game draws
    std::string textureName;  // the texture file the quad uses
    GenMesh model;
    Image image;
};

// The four screens "menuIntro", "menuIntroduction", "menuComplete" and "menuGameover".
std::vector<MenuScreen> MakeMenus();

// The floor rectangle the menu quads cover, in world units: it fills the menu camera's view
// at every aspect ratio up to 16:9 (the camera hangs 66 units above (0.41, 2.85)).
constexpr float kMenuLeft = -75.6f, kMenuRight = 76.4f, kMenuTop = -40.2f, kMenuBottom = 45.8f;

// The application icon, 256 by 256: the title screen's locomotive on its track under the same
// night sky, in a gold frame.
Image MakeIcon();

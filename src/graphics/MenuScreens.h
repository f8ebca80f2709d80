#pragma once
#include <cstdint>

class Camera;

// Writes the fixed pose that looks straight down on the menu models into camera.
void SetMenuCameraPose(Camera* camera);

// The model of the screen that is up: "menuIntro", "menuIntroduction", "menuComplete",
// "menuGameover", tested in that order; null when none is up.
const char* MenuModelName();

// Draws and presents one frame of the menu screen that is up, on black; prints no text.
// Neither argument is used.
void RenderMenus(float dt, int32_t fps);

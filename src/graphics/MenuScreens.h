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

// The key a tap at client pixel (x, y) stands for on the menu screen that is up, as it was last
// drawn: on the title the key of the line of its key list under the tap, elsewhere Space (play);
// Space on level complete and game over; 0 on the introduction and when no menu is up.
int MenuTapKey(int32_t x, int32_t y);

#pragma once
#include <cstdint>

// Draws and presents one frame of play: the level, bullets, floor, pointer, grid and the
// head-up display on white. dt is not used; fps is printed.
void RenderGame(float dt, int32_t fps);

// The render states every frame sets, play and menus alike.
void SetFrameRenderStates();

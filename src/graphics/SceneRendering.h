#pragma once
#include <cstdint>

// Draws and presents one frame of play: the level, bullets, floor, pointer, grid and the
// head-up display on white. fps is printed; dt counts down a notice's time (ShowHudNotice).
void RenderGame(float dt, int32_t fps);

// The render states every frame sets, play and menus alike.
void SetFrameRenderStates();

// Starts a frame of play on g_device: clears (the viewport) to white, sets the frame's render
// states, the camera's view, the identity world and the light, and begins the scene. False when
// there is no device or the clear failed (reported); then nothing else was done.
bool BeginPlayFrame();

// Draws the level in play (also when lost or won), the bullets, the floor and, when g_showGrid,
// the grid; with pointerAndTexts also the mouse pointer and the head-up texts, as play shows them.
void DrawLevelScene(bool pointerAndTexts);

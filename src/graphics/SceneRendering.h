#pragma once
#include <cstdint>

struct Matrix4;
class Level;
class KeptScene;
struct HintShown;

// Draws and presents one frame of play: the level, bullets, floor, pointer, grid and the
// head-up display on white. fps is printed; dt counts down a notice's time (ShowHudNotice).
// With `kept`, the standing part of the picture comes from it (drawn only when it changed);
// without, everything is drawn. Both give the same picture. With `hint`, its marker and line are
// drawn over play (DrawHint).
void RenderGame(float dt, int32_t fps, KeptScene* kept = nullptr, const HintShown* hint = nullptr);

// The render states every frame sets, play and menus alike.
void SetFrameRenderStates();

// Starts a frame of play on g_device: clears (the viewport) to white, sets the frame's render
// states, the camera's view, the identity world and the light, and begins the scene. False when
// there is no device or the clear failed (reported); then nothing else was done.
bool BeginPlayFrame();
// BeginPlayFrame's first half: the clear to white; false, as there, with no device or a failed clear.
bool ClearPlayFrame();
// BeginPlayFrame's second half, with the frame's view already taken from the camera.
void SetUpPlayFrame(const Matrix4& view);

// Draws the level in play (also when lost or won), the bullets, the floor and, when g_showGrid,
// the grid; with pointerAndTexts also the mouse pointer and the head-up texts, as play shows them.
void DrawLevelScene(bool pointerAndTexts);
// DrawLevelScene in two parts: what stands still during play (the level's objects, then the
// floor), and then over it everything else DrawLevelScene draws (train, bullets, and the rest).
void DrawStandingScene(Level& level);
void DrawMovingScene(bool pointerAndTexts);

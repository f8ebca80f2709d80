#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "math/Vec3.h"

// The texts printed over a frame of play, each drawn with g_font in opaque black from the
// top-left corner of its rectangle.

// "<label>: \n" then the three coordinates at two significant digits, space separated, and "\n".
std::string VectorText(const char* label, const Vec3& v);
// "Score: " and the score.
std::string ScoreText(int32_t score);
// "fps: " and the frame rate.
std::string FpsText(int32_t fps);

// Draws VectorText(label, *v) at (0, 40).
void DrawVectorText(const char* label, const Vec3* v);
// Draws the score of g_level at (500, 0).
void DrawScore();
// Draws "fps: " with the frame rate at (0, 0).
void DrawFps(int32_t fps);
// Draws "PAUSED" at (300, 0).
void DrawPaused();

// Shows `text` over play (below the score) for the next `seconds` of frames of play (a frame
// counting at most a quarter of a second).
void ShowHudNotice(const std::string& text, float seconds);
// Draws the notice of ShowHudNotice, if one is still due, and counts dt off its time.
void DrawHudNotice(float dt);
// A line the head-up display shows under the frame rate until replaced (empty: none), e.g. why
// the level file in play no longer loads.
void SetHeadUpNotice(std::string notice);
// Draws the notice at (0, 20) in red; nothing when there is none.
void DrawHeadUpNotice();

// True while a notice of ShowHudNotice is still shown (its time counts down with frames drawn).
bool HudNoticeShowing();
// The line SetHeadUpNotice set (empty: none).
const std::string& HeadUpNotice();

// `label` cut to fit `width` pixels as `measure` measures text: whole when it fits, otherwise as
// many leading characters as fit with "..." after them.
std::string FitLabel(const std::string& label, int width, const std::function<int(const std::string&)>& measure);
// Draws g_levelLabel (a played seed or code) at the bottom-left corner of a `width` by `height`
// picture, cut to fit its width; nothing for a listed level.
void DrawLevelLabel(int width, int height);

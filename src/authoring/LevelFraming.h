#pragma once
#include <optional>
#include <string>

#include "camera/Camera.h"

// The elevation, in degrees above the floor, of the opening views the level tool frames.
inline constexpr float kFramingElevation = 58.0f;

// A camera south of the grid looking north and down at `elevationDegrees`, the closest one from
// which the whole grid of `width` by `height` tiles (its floor and targets standing 3 units on
// it) fits inside the game's view at every aspect ratio from 5:4 up (4:3, 16:9), with a margin
// and room at the top for the score. Empty when no such camera lies within the game's far plane.
std::optional<Camera> FrameGrid(int width, int height, float elevationDegrees);

// The twelve numbers of a camera as a level file holds them after "camera_data" (position, up,
// look, right), one space apart, each printed as %.9g so that it reads back as the same float.
std::string CameraNumbers(const Camera& camera);

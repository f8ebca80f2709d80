#pragma once
#include <cstdint>

// Points play at client pixel (x, y) as the mouse does: the floor point under it becomes
// g_pointer (the origin when the ray runs along the floor); `fire` also records the shot and
// fires at that point, as a left click. Nothing happens without a level and a device, or when
// play does not take the pointer (paused, a menu screen up).
void PointAtPixel(int32_t x, int32_t y, bool fire);

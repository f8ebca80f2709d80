#pragma once
#include "math/Vec3.h"

// True when the mouse may act: the level in play is neither lost nor won, the game is not paused
// and no title or introduction screen is up.
bool MouseMayAct();

// Fires a bullet at the floor point hitPoint: from the centre of the train's tile raised 3
// units, normalised direction, 30 units per second, appended to g_bullets, "steam" played.
// Nothing happens without a level in play.
void FireBullet(const Vec3& hitPoint);

#pragma once
#include <vector>

#include "math/Vec3.h"
#include "state/Bullet.h"

class Level;
class ResourceCatalogue;
class SoundSystem;

// True when the mouse may act: the level in play is neither lost nor won, the game is not paused
// and no title or introduction screen is up.
bool MouseMayAct();

// Fires a bullet at the floor point hitPoint: from the centre of the train's tile raised 3
// units, normalised direction, 30 units per second, appended to g_bullets, "steam" played.
// Nothing happens without a level in play.
void FireBullet(const Vec3& hitPoint);

// The same shot on an explicit level and shot list, its models looked up in `catalogue` and its
// sound played on `soundSystem` (either may be null: no lookups, no sound).
void FireBulletIn(Level& level, std::vector<Bullet>& bullets, const Vec3& hitPoint, ResourceCatalogue* catalogue,
                  SoundSystem* soundSystem);

#pragma once
#include <vector>

#include "state/Bullet.h"

class Level;

// One update of the rules on the level in play (g_level) and the shots in flight (g_bullets).
void UpdateGame(float dt);

// The same update on an explicit level and bullet list: bullets fly and hit, used-up bullets and
// objects are erased in order (objectCount lowered per object), then the train advances. Nothing
// happens once the level is lost or won.
void UpdateLevel(Level& level, std::vector<Bullet>& bullets, float dt);

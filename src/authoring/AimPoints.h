#pragma once
#include <vector>

#include "math/Vec3.h"

class Level;
class ResourceCatalogue;
struct LevelObject;

// The point a shot leaves from now: where the game starts a bullet fired from the train's tile.
Vec3 MuzzlePoint(Level& level);

// Floor points to click so that a bullet fired from `muzzle` meets the target's sphere: first the
// target's tile centre (the plain click), then points whose line passes through other parts of
// the sphere (higher or lower, left or right), which may miss what lies on the way. Whether a
// shot really hits is left to the rules.
std::vector<Vec3> AimPoints(const Vec3& muzzle, const LevelObject& target, ResourceCatalogue* catalogue);

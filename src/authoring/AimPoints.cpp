#include "authoring/AimPoints.h"

#include <cmath>

#include "level/Level.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"
#include "resources/ResourceCatalogue.h"
#include "rules/Firing.h"
#include "state/Bullet.h"

Vec3 MuzzlePoint(Level& level) {
    // The game's firing decides where a shot starts; a trial shot is fired on a list of its own.
    std::vector<Bullet> trial;
    FireBulletIn(level, trial, Vec3(0.0f, 0.0f, 0.0f), nullptr, nullptr);
    return trial.empty() ? Vec3(0.0f, 0.0f, 0.0f) : trial.back().origin;
}

std::vector<Vec3> AimPoints(const Vec3& muzzle, const LevelObject& target, ResourceCatalogue* catalogue) {
    const Vec3 tile(TileCentre(target.x), TileCentre(target.y), 0.0f);
    std::vector<Vec3> points{tile};
    if (!catalogue) return points;
    const auto model = catalogue->models.find(target.name);
    if (model == catalogue->models.end()) return points;
    const Vec3 centre = tile + model->second.boundCentre;
    const float radius = model->second.boundRadius;

    // Sideways is across the line of fire on the floor; without one (a target below the muzzle)
    // any horizontal direction will do.
    Vec3 along(centre.x - muzzle.x, centre.y - muzzle.y, 0.0f);
    Vec3 side(1.0f, 0.0f, 0.0f);
    if (Length(along) > 1e-3f) {
        Vec3 unit;
        Vec3Normalize(&unit, along);
        along = unit;
        side = Vec3(-along.y, along.x, 0.0f);
    }
    const Vec3 up(0.0f, 0.0f, 1.0f);
    const float part = 0.6f * radius;
    const Vec3 through[] = {centre, centre + up * part, centre - up * part, centre + side * part, centre - side * part};
    for (const Vec3& p : through) {
        // The click is where the line from the muzzle through p meets the floor; a point at or
        // above the muzzle's height has no such click.
        const float drop = muzzle.z - p.z;
        if (drop < 1e-3f) continue;
        const Vec3 floor = muzzle + (p - muzzle) * (muzzle.z / drop);
        if (!std::isfinite(floor.x) || !std::isfinite(floor.y)) continue;
        bool known = false;
        for (const Vec3& q : points) known = known || (std::fabs(q.x - floor.x) < 0.05f && std::fabs(q.y - floor.y) < 0.05f);
        if (!known) points.push_back(Vec3(floor.x, floor.y, 0.0f));
    }
    return points;
}

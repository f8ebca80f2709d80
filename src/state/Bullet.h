#pragma once
#include "math/Matrix4.h"
#include "math/Vec3.h"

class Level;
class ResourceCatalogue;
class SoundSystem;

// One shot in flight.
struct Bullet {
    Vec3 position;   // current position
    Vec3 direction;  // unit vector of flight
    Vec3 origin;     // where it was fired
    float speed;     // world units per second
    bool expired;    // beyond range or hit something: removed at the end of the update
    Level* level;                  // not owned
    ResourceCatalogue* catalogue;  // not owned
    SoundSystem* soundSystem;      // not owned

    // Copies position into position and origin, direction unchanged (the caller normalises it).
    Bullet(const Vec3& position, const Vec3& direction, float speed, Level* level,
           ResourceCatalogue* catalogue, SoundSystem* soundSystem);
    // position += dt * speed * direction.
    void Advance(float dt);
    // The translation to position; fills and returns out.
    Matrix4* WorldMatrix(Matrix4* out) const;
};

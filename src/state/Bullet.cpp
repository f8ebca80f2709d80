#include "state/Bullet.h"

#include "math/MathFunctions.h"

Bullet::Bullet(const Vec3& position_, const Vec3& direction_, float speed_, Level* level_,
               ResourceCatalogue* catalogue_, SoundSystem* soundSystem_)
    : position(position_), direction(direction_), origin(position_), speed(speed_), expired(false),
      level(level_), catalogue(catalogue_), soundSystem(soundSystem_) {}

void Bullet::Advance(float dt) {
    const float step = dt * speed;
    position.x += step * direction.x;
    position.y += step * direction.y;
    position.z += step * direction.z;
}

Matrix4* Bullet::WorldMatrix(Matrix4* out) const { return MatrixTranslation(out, position.x, position.y, position.z); }

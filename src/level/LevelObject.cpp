#include "level/LevelObject.h"

#include "level/Tiles.h"
#include "math/MathFunctions.h"

int32_t LevelObject::Turn() const { return degrees; }

Matrix4* LevelObject::WorldMatrix(Matrix4* out) const {
    Matrix4 s, r, t, rt;
    MatrixScaling(&s, scale, scale, scale);
    MatrixRotationZ(&r, angle);
    MatrixTranslation(&t, TileCentre(x), TileCentre(y), 0.0f);
    MatrixMultiply(&rt, r, t);
    return MatrixMultiply(out, s, rt);
}

#include "level/Level.h"
#include "level/Tiles.h"
#include "math/MathFunctions.h"

Matrix4* Level::TrainWorldMatrix(Matrix4* out) const {
    float degrees = 0.0f;
    switch (trainHeading) {
        case 'e': degrees = 90.0f; break;
        case 's': degrees = 180.0f; break;
        case 'w': degrees = 270.0f; break;
        default: break;  // 'n', and the dead end 'x', face -y
    }
    // pi / 180 is formed in double and rounded once, then the degrees are applied in float.
    const float perDegree = static_cast<float>(static_cast<double>(kPi) / 180.0);
    const float angle = perDegree * degrees;
    Matrix4 r, t;
    MatrixRotationZ(&r, angle);
    MatrixTranslation(&t, TileCentre(trainX), TileCentre(trainY), 0.6f);
    return MatrixMultiply(out, r, t);
}

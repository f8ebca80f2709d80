#pragma once
#include <string>

#include "math/Matrix4.h"
#include "math/Vec3.h"

// The viewing camera: an orthonormal frame (right, up, look) at a position in world space.
class Camera {
public:
    Vec3 right{1.0f, 0.0f, 0.0f};
    Vec3 up{0.0f, 1.0f, 0.0f};
    Vec3 look{0.0f, 0.0f, 1.0f};
    Vec3 position{0.0f, 0.0f, 0.0f};

    void SetPosition(const Vec3& p);
    Vec3 GetPosition() const;
    // Re-orthonormalises the axes in place and returns the view matrix.
    Matrix4 ViewMatrix();
    // Translations along look, right and up (units may be negative).
    void Walk(float units);
    void Strafe(float units);
    void Fly(float units);
    // Rotations in radians about right, up and look; the axes are renormalised by ViewMatrix.
    void Pitch(float angle);
    void Yaw(float angle);
    void Roll(float angle);
    // Writes position, up, look and right, one vector a line at %.10g; false if it cannot be written.
    bool Save(const std::string& path = "camera.txt") const;
};

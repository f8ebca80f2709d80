#include "camera/Camera.h"

#include <sstream>

#include "math/MathFunctions.h"
#include "platform/AtomicFile.h"

void Camera::SetPosition(const Vec3& p) { position = p; }

Vec3 Camera::GetPosition() const { return position; }

Matrix4 Camera::ViewMatrix() {
    // Rotations accumulate rounding errors; rebuilding up and right from look keeps the frame
    // orthonormal so the view never shears.
    Vec3Normalize(&look, look);
    Cross(&up, look, right);
    Vec3Normalize(&up, up);
    Cross(&right, up, look);
    Vec3Normalize(&right, right);

    Matrix4 view;
    view(0, 0) = right.x; view(0, 1) = up.x; view(0, 2) = look.x; view(0, 3) = 0.0f;
    view(1, 0) = right.y; view(1, 1) = up.y; view(1, 2) = look.y; view(1, 3) = 0.0f;
    view(2, 0) = right.z; view(2, 1) = up.z; view(2, 2) = look.z; view(2, 3) = 0.0f;
    view(3, 0) = -Dot(right, position);
    view(3, 1) = -Dot(up, position);
    view(3, 2) = -Dot(look, position);
    view(3, 3) = 1.0f;
    return view;
}

void Camera::Walk(float units) { position += look * units; }

void Camera::Strafe(float units) { position += right * units; }

void Camera::Fly(float units) { position += up * units; }

void Camera::Pitch(float angle) {
    Matrix4 r;
    MatrixRotationAxis(&r, right, angle);
    Vec3TransformCoord(&up, up, r);
    Vec3TransformCoord(&look, look, r);
}

void Camera::Yaw(float angle) {
    Matrix4 r;
    MatrixRotationAxis(&r, up, angle);
    Vec3TransformCoord(&right, right, r);
    Vec3TransformCoord(&look, look, r);
}

void Camera::Roll(float angle) {
    Matrix4 r;
    MatrixRotationAxis(&r, look, angle);
    Vec3TransformCoord(&right, right, r);
    Vec3TransformCoord(&up, up, r);
}

bool Camera::Save(const std::string& path) const {
    std::ostringstream out;
    // Precision 10 in the default notation: the same digits as %.10g, and the same twelve numbers
    // in the same order as a level file's "camera_data".
    out.precision(10);
    for (const Vec3* v : {&position, &up, &look, &right})
        out << v->x << ' ' << v->y << ' ' << v->z << '\n';
    // A save that fails part-way leaves the previous file whole.
    return ReplaceFile(path, out.str());
}

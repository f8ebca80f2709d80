#pragma once

// The plane of the points p with a*p.x + b*p.y + c*p.z + d = 0.
struct Plane {
    float a, b, c, d;
};

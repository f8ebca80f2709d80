#pragma once
#include "math/Vec3.h"

struct Bullet;

// 1 when the spheres touch or overlap ((a - b).(a - b) <= (ra + rb)^2), else 0.
int SpheresOverlap(const Vec3& centreA, float radiusA, const Vec3& centreB, float radiusB);

// Tests the bullet against every object of its level and applies what it hits: track builders
// lay track, score and speed targets change the level, shields and blocked tiles stop the bullet.
// Hits mark (object removed, bullet expired); the update erases them afterwards.
// Only the objects on tiles the shot can reach are looked at; the outcome is HitTestByScan's.
void HitTest(Bullet& bullet);

// The same test walking every object of the level in list order: the reference HitTest answers as.
void HitTestByScan(Bullet& bullet);

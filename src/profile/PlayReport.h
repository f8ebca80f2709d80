#pragma once
#include <string>

class Level;

// The state of play as one line of JSON (no line end), keys in this order: train [x, y, heading],
// trackEnd [x, y, heading], score, speed, lost, won, objectCount, bullets (the number in flight),
// objects [[name, x, y, turn in whole degrees], ...] in the level's order.
std::string ReportLevel(const Level& level, size_t bulletCount);

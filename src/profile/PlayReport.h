#pragma once
#include <optional>
#include <string>

class Level;

// The state of play as one line of JSON (no line end), keys in this order: train [x, y, heading],
// trackEnd [x, y, heading], score, speed, lost, won, objectCount, bullets (the number in flight),
// objects [[name, x, y, turn in whole degrees], ...] in the level's order; then, when given, time
// (the seconds of play since the level started, to the microsecond).
std::string ReportLevel(const Level& level, size_t bulletCount, std::optional<double> playSeconds = std::nullopt);

#include "profile/PlayReport.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "level/Level.h"

namespace {

using Json = nlohmann::ordered_json;

// A float as the shortest decimal that reads back to it (2.5, 0.1), not its double expansion.
Json FloatNumber(float value) {
    if (!std::isfinite(value)) return nullptr;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::stod(std::string(buffer, result.ptr));
}

Json Tile(int32_t x, int32_t y, char heading) { return Json::array({x, y, std::string(1, heading)}); }

}  // namespace

std::string ReportLevel(const Level& level, size_t bulletCount, std::optional<double> playSeconds) {
    Json objects = Json::array();
    for (const LevelObject& o : level.objects) objects.push_back(Json::array({o.name.str(), o.x, o.y, o.Turn()}));
    Json report;
    report["train"] = Tile(level.trainX, level.trainY, level.trainHeading);
    report["trackEnd"] = Tile(level.trackEndX, level.trackEndY, level.trackEndHeading);
    report["score"] = level.score;
    report["speed"] = FloatNumber(level.speed);
    report["lost"] = level.lost;
    report["won"] = level.won;
    report["objectCount"] = level.objectCount;
    report["bullets"] = bulletCount;
    report["objects"] = std::move(objects);
    if (playSeconds) report["time"] = std::round(*playSeconds * 1e6) / 1e6;
    // Names and headings come from the level file as bytes; invalid UTF-8 is replaced, not thrown.
    return report.dump(-1, ' ', false, Json::error_handler_t::replace);
}

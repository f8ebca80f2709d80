#include "authoring/LevelDifficulty.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// Seconds left before the train runs off at which a shot counts as half pressed.
constexpr double kEasySeconds = 4.0;

// Two decimals, rounded half away from zero, as text: the same on every machine and C library.
std::string Fixed2(double value) {
    const long long hundredths = std::llround(value * 100.0);
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", hundredths < 0 ? "-" : "", std::llabs(hundredths) / 100,
                  std::llabs(hundredths) % 100);
    return text;
}

}  // namespace

double ShotPressure(uint64_t runOffFrames) {
    if (runOffFrames == kNoRunOff) return 0.0;
    return 1.0 / (1.0 + static_cast<double>(runOffFrames) * kFrameTime / kEasySeconds);
}

double LevelDifficulty(const LevelStats& stats) {
    if (!stats.won) return 0.0;
    const double perShot = static_cast<double>(stats.nodes) / static_cast<double>(stats.shots + 1);
    const double detours = perShot > 1.0 ? std::log2(perShot) : 0.0;
    return stats.shots + 0.5 * stats.traps + 8.0 * stats.pressure + 2.0 * detours;
}

namespace {

LevelStats Measure(const SearchReport& report);

}  // namespace

LevelStats MeasureLevel(uint64_t maxNodes) {
    SearchLimits limits;
    limits.maxSeconds = std::numeric_limits<double>::infinity();
    limits.maxNodes = maxNodes;
    return Measure(SearchShots(limits, false));
}

LevelStats MeasureLevelIn(Level& level, std::vector<Bullet>& bullets, uint64_t maxNodes, Solution* win) {
    SearchLimits limits;
    limits.maxSeconds = std::numeric_limits<double>::infinity();
    limits.maxNodes = maxNodes;
    const SearchReport report = SearchShotsIn(level, bullets, limits, false, nullptr);
    if (win && report.solution) *win = *report.solution;
    return Measure(report);
}

namespace {

LevelStats Measure(const SearchReport& report) {
    LevelStats stats;
    stats.nodes = report.nodes;
    if (!report.solution) return stats;
    const Solution& win = *report.solution;
    stats.won = true;
    stats.shots = static_cast<int32_t>(win.shots.size());
    stats.traps = win.traps;
    stats.score = win.score;
    stats.seconds = static_cast<double>(win.frames) * kFrameTime;
    double pressure = 0.0;
    for (uint64_t frames : win.runOffFrames) pressure += ShotPressure(frames);
    if (!win.runOffFrames.empty()) stats.pressure = pressure / static_cast<double>(win.runOffFrames.size());
    stats.difficulty = LevelDifficulty(stats);
    return stats;
}

}  // namespace

std::string StatsJson(const LevelStats& stats) {
    const auto orNull = [&](const std::string& text) { return stats.won ? text : std::string("null"); };
    return "{\"shots\": " + orNull(std::to_string(stats.shots)) + ", \"traps\": " + std::to_string(stats.traps) +
           ", \"pressure\": " + Fixed2(stats.pressure) + ", \"nodes\": " + std::to_string(stats.nodes) +
           ", \"seconds\": " + orNull(Fixed2(stats.seconds)) + ", \"score\": " + orNull(std::to_string(stats.score)) +
           ", \"difficulty\": " + orNull(Fixed2(stats.difficulty)) + "}";
}

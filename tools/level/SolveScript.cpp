#include "SolveScript.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/SimScript.h"

namespace {

// The shortest decimal that reads back to the same float, as the simulator reads its numbers.
std::string Number(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void Frames(std::ostringstream& out, uint64_t count) {
    if (count > 0) out << "frames " << count << " " << Number(kFrameTime) << "\n";
}

}  // namespace

std::string SolutionScript(const std::string& levelPath, const Solution& solution) {
    std::ostringstream out;
    out << "# tracklet-sim script that wins " << levelPath << ": " << solution.shots.size() << (solution.shots.size() == 1 ? " shot" : " shots") << ", won after "
        << solution.frames << " frames of " << Number(kFrameTime) << " s\n";
    out << "# score " << solution.score << "\n";
    uint64_t frame = 0;
    for (const Shot& shot : solution.shots) {
        Frames(out, shot.frame - frame);
        frame = shot.frame;
        out << "click " << Number(shot.x) << " " << Number(shot.y) << "\n";
    }
    Frames(out, solution.frames - frame);
    out << "print\n";
    return out.str();
}

bool ReplayWins(const std::string& levelPath, const std::string& script, int32_t score, std::string* why) {
    std::ostringstream err;
    if (StartSimLevel(levelPath, err) != 0) {
        *why = "the level could not be started: " + err.str();
        return false;
    }
    std::istringstream in(script);
    std::ostringstream out;
    if (RunSimScript(in, out, err) != 0) {
        *why = "the simulator rejected the script: " + err.str();
        return false;
    }
    std::string last;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) last = line;
    const auto report = nlohmann::json::parse(last, nullptr, false);
    if (report.is_discarded() || !report.is_object()) {
        *why = "the simulator printed no report";
        return false;
    }
    const auto won = report.find("won");
    if (won == report.end() || !won->is_boolean() || !won->get<bool>()) {
        *why = "the replay does not win: " + last;
        return false;
    }
    const auto scored = report.find("score");
    if (scored == report.end() || !scored->is_number_integer() || scored->get<int64_t>() != score) {
        *why = "the replay scores differently: " + last;
        return false;
    }
    return true;
}

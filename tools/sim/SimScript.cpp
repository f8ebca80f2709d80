#include "sim/SimScript.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "audio/SoundSystem.h"
#include "state/LevelProgression.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "rules/Firing.h"
#include "rules/UpdateGame.h"
#include "state/GameState.h"
#include "sim/SimReport.h"

namespace {

constexpr const char* kTool = "tracklet-sim";

bool ParseCount(const std::string& token, long long* out) {
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, *out);
    return result.ec == std::errc() && result.ptr == end && *out >= 0;
}

bool ParseNumber(const std::string& token, float* out) {
    const char* end = token.data() + token.size();
    const auto result = std::from_chars(token.data(), end, *out);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(*out);
}

std::vector<std::string> Split(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    return tokens;
}

// One frame as the main loop runs it during play: the rules run only while the level is on.
void RunFrame(float dt) {
    if (g_level && !g_level->lost && !g_level->won) UpdateGame(dt);
}

// A left click that picked the floor point (x, y, 0), as the window procedure handles it.
void Click(float x, float y) {
    if (!MouseMayAct()) return;
    g_pointer = Vec3(x, y, 0.0f);
    FireBullet(g_pointer);
}

}  // namespace

int StartSimLevel(const std::string& path, std::ostream& err) {
    if (LoadLevelFromPath(path) != 0) {
        err << kTool << ": error: no resource catalogue to load " << path << " with\n";
        return 1;
    }
    if (g_level && g_level->loadStop)
        err << kTool << ": warning: level did not load completely: " << DescribeStop(path, *g_level->loadStop)
            << "\n";
    // The simulator is always in play: no title menu, no pause.
    g_showTitleMenu = false;
    g_showIntroduction = false;
    g_paused = false;
    return 0;
}

int RunSimScript(std::istream& in, std::ostream& out, std::ostream& err) {
    std::string line;
    for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
        const std::vector<std::string> tokens = Split(line);
        if (tokens.empty() || tokens[0][0] == '#') continue;
        const std::string& command = tokens[0];
        const auto fail = [&](const std::string& why) {
            err << kTool << ": line " << lineNumber << ": " << why << ": " << line << "\n";
            return 2;
        };

        if (command == "frames") {
            long long count = 0;
            float dt = 0.0f;
            if (tokens.size() != 3 || !ParseCount(tokens[1], &count) || !ParseNumber(tokens[2], &dt))
                return fail("malformed line, expected 'frames N DT'");
            for (long long i = 0; i < count; ++i) RunFrame(dt);
        } else if (command == "click") {
            float x = 0.0f, y = 0.0f;
            if (tokens.size() != 3 || !ParseNumber(tokens[1], &x) || !ParseNumber(tokens[2], &y))
                return fail("malformed line, expected 'click X Y'");
            Click(x, y);
        } else if (command == "print") {
            if (tokens.size() != 1) return fail("malformed line, expected 'print'");
            if (!g_level) return fail("no level in play");
            out << ReportLevel(*g_level, g_bullets.size()) << "\n";
        } else {
            return fail("unknown command '" + command + "'");
        }
    }
    out.flush();
    return 0;
}

int RunSimulator(const std::string& levelPath, std::istream& in, std::ostream& out, std::ostream& err) {
    // Made once and kept to the end of the process, like the game's own device and catalogue.
    static RecordingDevice device;
    static SoundSystem sound(nullptr);
    // Without a window there is no sound device; the simulator stays silent in any case.
    sound.enabled = false;
    g_device = &device;
    g_soundSystem = &sound;
    static ResourceCatalogue catalogue(&device, &sound);
    g_catalogue = &catalogue;
    if (StartSimLevel(levelPath, err) != 0) return 2;
    return RunSimScript(in, out, err);
}

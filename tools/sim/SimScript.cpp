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
void RunFrame(float dt, SimProgress& progress) {
    ++progress.frames;
    if (!g_level || g_level->lost || g_level->won) return;
    UpdateGame(dt);
    if (g_level->lost || g_level->won) progress.endFrame = progress.frames;
}

// A left click that picked the floor point (x, y, z), as the window procedure handles it.
void Click(const Vec3& point) {
    if (!MouseMayAct()) return;
    g_pointer = point;
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

int RunSimScript(std::istream& in, std::ostream& out, std::ostream& err, SimProgress* progress) {
    SimProgress ignored;
    SimProgress& counted = progress ? *progress : ignored;
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
            for (long long i = 0; i < count; ++i) RunFrame(dt, counted);
        } else if (command == "click") {
            Vec3 point(0.0f, 0.0f, 0.0f);
            if ((tokens.size() != 3 && tokens.size() != 4) || !ParseNumber(tokens[1], &point.x) ||
                !ParseNumber(tokens[2], &point.y) || (tokens.size() == 4 && !ParseNumber(tokens[3], &point.z)))
                return fail("malformed line, expected 'click X Y' or 'click X Y Z'");
            Click(point);
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

std::string DescribeReplayEnd(const SimProgress& progress) {
    std::ostringstream text;
    if (g_level && g_level->won) {
        text << "won at frame " << progress.endFrame;
    } else if (g_level && g_level->lost) {
        text << "lost at frame " << progress.endFrame;
    } else {
        text << "still in play after frame " << progress.frames;
    }
    if (g_level)
        text << ", the train on (" << g_level->trainX << ", " << g_level->trainY << ") heading "
             << g_level->trainHeading << ", the track ending at (" << g_level->trackEndX << ", "
             << g_level->trackEndY << ")";
    return text.str();
}

int RunSimulator(const std::string& levelPath, std::istream& in, std::ostream& out, std::ostream& err,
                 bool expectWin) {
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
    SimProgress progress;
    const int status = RunSimScript(in, out, err, &progress);
    if (status != 0 || !expectWin || (g_level && g_level->won)) return status;
    out.flush();
    err << levelPath << ": the replay does not win: " << DescribeReplayEnd(progress) << "\n";
    return 1;
}

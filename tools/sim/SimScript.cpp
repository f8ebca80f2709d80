#include "sim/SimScript.h"

#include <istream>
#include <memory>
#include <ostream>
#include <sstream>
#include <vector>

#include "audio/SoundSystem.h"
#include "state/LevelProgression.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "profile/PlayReport.h"
#include "profile/RunPlayback.h"
#include "profile/RunScript.h"

namespace {

constexpr const char* kTool = "tracklet-sim";

// One frame as the main loop runs it during play, as the game's playback of a run does it too.
void RunFrame(float dt, SimProgress& progress) {
    ++progress.frames;
    const bool over = !g_level || g_level->lost || g_level->won;
    if (!over) progress.seconds += dt;
    PlayRecordedFrame(dt);
    if (!over && g_level && (g_level->lost || g_level->won)) progress.endFrame = progress.frames;
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
        RunCommand command;
        std::string why;
        const int parsed = ParseRunLine(line, &command, &why);
        const auto fail = [&](const std::string& reason) {
            err << kTool << ": line " << lineNumber << ": " << reason << ": " << line << "\n";
            return 2;
        };
        if (parsed < 0) return fail(why);
        if (parsed == 0) continue;
        switch (command.kind) {
            case RunCommand::Kind::Frames:
                for (uint64_t i = 0; i < command.count; ++i) RunFrame(command.dt, counted);
                break;
            case RunCommand::Kind::Click:
                PlayRecordedShot(command.point);
                break;
            case RunCommand::Kind::Print:
                if (!g_level) return fail("no level in play");
                out << ReportLevel(*g_level, g_bullets.size(), counted.seconds) << "\n";
                break;
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
    // The simulator stays silent: it never opens a sound device.
    static SoundSystem sound(SoundSystem::NoDevice{});
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

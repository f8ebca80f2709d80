// tracklet --record: the game's own frame and click code, run on a scripted clock, writes a
// recording whose parts replay through the simulator to exactly the state the game reached.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "GameFixture.h"
#include "graphics/GraphicsSetup.h"
#include "state/LevelProgression.h"
#include "math/MathFunctions.h"
#include "platform/Keyboard.h"
#include "shell/FrameTimer.h"
#include "shell/MainLoop.h"
#include "profile/ReplayRecorder.h"
#include "shell/WindowProc.h"
#include "profile/PlayReport.h"
#include "sim/SimScript.h"
#include "TempDir.h"

namespace {

// A gap at (2, 1) with a straight-track builder below it, seen from the view tracklet-level frame
// gives the grid.
const char* const kLevel =
    "style s height 3 width 5 camera_data 25 40.2876854 41.3886604 0 -0.848048091 0.529919267 0 -0.529919267 -0.848048091 1 0 0\n"
    "objects 5\n0 1 rails 1 0\n1 1 rails 1 0\n3 1 rails 1 0\n4 1 rails 1 0\n2 2 rrecht 1 0\n"
    "start 0 1 e finish 4 1 e speed 2\n";

class Recording : public GameFixture {
protected:
    FakeKeyboard keys;
    FrameTimer timer{1000, 0};
    int64_t now = 0;
    int frameIndex = 0;
    TempDir dir;
    std::optional<ScopedCurrentDir> inDir;

    void SetUp() override {
        GameFixture::SetUp();
        SetInputKeyboard(&keys);
        dir.Write("levels/a.txt", kLevel);
        dir.Write("levels/b.txt", kLevel);
        inDir.emplace(dir.Path());
        catalogue.levels = {"a.txt", "b.txt"};
        catalogue.models["rrecht"].boundCentre = Vec3(0.0f, 0.0f, 1.0f);
        catalogue.models["rrecht"].boundRadius = 2.0f;
        catalogue.models["bullet"].boundRadius = 0.5f;
        PlaneFromPointNormal(&g_floorPlane, Vec3(0, 0, 0), Vec3(0, 0, 1));
        device.SetTransform(TransformType::Projection, GameProjection(1024, 768));
        ASSERT_EQ(LoadLevel(0), 0);
    }
    void TearDown() override {
        StopRecording();
        SetInputKeyboard(nullptr);
        inDir.reset();
        GameFixture::TearDown();
    }
    // One pass of the main loop's frame on a clock whose frames last 16, 17 or 33 ms, with runs
    // of equal frames among them.
    void Frame() {
        static constexpr int64_t kCounts[] = {16, 16, 16, 17, 16, 33};
        now += kCounts[frameIndex++ % 6];
        ASSERT_TRUE(RunFrame(timer, now));
    }
    // A left click on the pixel where the world point p appears.
    void ClickAt(const Vec3& p) {
        Matrix4 view = g_camera.ViewMatrix(), both;
        MatrixMultiply(&both, view, GameProjection(1024, 768));
        Vec3 s;
        Vec3TransformCoord(&s, p, both);
        WindowProc(nullptr, kWmLButtonDown, 0,
                   MakeMouseLParam(static_cast<int>((s.x + 1) * 512), static_cast<int>((1 - s.y) * 384)));
    }
    // Everything the rules keep, to the bit.
    static std::string State() {
        std::ostringstream s;
        s << ReportLevel(*g_level, g_bullets.size()) << std::hexfloat << " " << g_level->stepTimer;
        for (const Bullet& b : g_bullets)
            for (const Vec3& v : {b.position, b.direction, b.origin}) s << " " << v.x << " " << v.y << " " << v.z;
        return s.str();
    }
};

}  // namespace

TEST_F(Recording, EachLevelStartedReplaysToExactlyTheStateTheGameReached) {
    const std::string path = (dir.Path() / "run.sim").string();
    ASSERT_TRUE(StartRecording(path));
    // Level a: the builder is shot, a paused stretch is not play, a shot at nothing is still in
    // flight when the train reaches the finish.
    for (int i = 0; i < 10; ++i) Frame();
    ClickAt(Vec3(25, 25, 0));
    for (int i = 0; i < 5; ++i) Frame();
    g_paused = true;
    for (int i = 0; i < 3; ++i) Frame();
    g_paused = false;
    for (int i = 0; i < 1000 && !g_level->won; ++i) {
        Frame();
        if (g_level->trainX == 3 && g_bullets.empty()) ClickAt(Vec3(48, 2, 0));
    }
    ASSERT_TRUE(g_level->won);
    const std::string wonA = State();
    // What the simulator prints, its time counted as the recorder counts a best time.
    ASSERT_NE(RunOfLevelInPlay(), nullptr);
    const std::string printedA = ReportLevel(*g_level, g_bullets.size(), RunOfLevelInPlay()->Seconds());
    // Space on the level-complete screen starts level b in the same frame; it is left in play with
    // a shot in flight whose floor point the pick put a rounding error off z = 0.
    keys.Set(kVkSpace, Keyboard::kPressedSince);
    for (int i = 0; i < 20; ++i) Frame();
    ClickAt(Vec3(25, 25, 0));
    for (int i = 0; i < 4; ++i) Frame();
    ASSERT_EQ(StartedLevelPath(), "levels/b.txt");
    const std::string inPlayB = State();
    ASSERT_NE(RunOfLevelInPlay(), nullptr);
    const std::string printedB = ReportLevel(*g_level, g_bullets.size(), RunOfLevelInPlay()->Seconds());
    ASSERT_TRUE(StopRecording());

    std::ifstream file(path);
    std::vector<std::string> parts, levels;
    int folded = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("# level ", 0) == 0) {
            levels.push_back(line.substr(8));
            parts.emplace_back();
        }
        ASSERT_FALSE(parts.empty()) << "a line before the first level: " << line;
        parts.back() += line + "\n";
        unsigned count = 0;
        if (std::sscanf(line.c_str(), "frames %u", &count) == 1 && count > 1) ++folded;
    }
    ASSERT_EQ(levels, (std::vector<std::string>{"levels/a.txt", "levels/b.txt"}));
    EXPECT_GT(folded, 0) << "equal frames are not folded";
    const std::string reached[] = {wonA, inPlayB};
    const std::string printed[] = {printedA, printedB};
    for (size_t i = 0; i < parts.size(); ++i) {
        std::ostringstream out, err;
        ASSERT_EQ(StartSimLevel(levels[i], err), 0);
        std::istringstream script(parts[i]);
        ASSERT_EQ(RunSimScript(script, out, err), 0) << err.str();
        EXPECT_EQ(State(), reached[i]) << parts[i];
        EXPECT_EQ(out.str(), printed[i] + "\n");
    }
}

// The kept picture leaves the frame alone: every shipped level, played through its stored run
// with the pointer moving, then paused with the camera flown and the grid and click vector
// switched, draws the same pixels from its kept standing picture as drawn in full each frame.
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "GlTestDevice.h"
#include "graphics/GraphicsSetup.h"
#include "graphics/KeptScene.h"
#include "graphics/SceneRendering.h"
#include "profile/RunPlayback.h"
#include "profile/RunScript.h"
#include "resources/ResourceCatalogue.h"
#include "sim/SimScript.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {
// The commands of a stored run (a .sim file beside the level).
std::vector<RunCommand> StoredRun(const std::string& levelPath) {
    std::ifstream in(levelPath.substr(0, levelPath.size() - 4) + ".sim");
    std::vector<RunCommand> commands;
    std::string line, why;
    RunCommand command;
    while (std::getline(in, line))
        if (ParseRunLine(line, &command, &why) == 1) commands.push_back(command);
    return commands;
}
}  // namespace

TEST_F(GlDeviceTest, KeptPictureDrawsTheSamePixelsAsAFullRedraw) {
    ASSERT_EQ(chdir(TRACKLET_SOURCE_DIR "/data"), 0);
    g_device = device_, g_light = GameLight(), g_projection = GameProjection(kWidth, kHeight);
    device_->SetTransform(TransformType::Projection, g_projection);
    auto catalogue = std::make_unique<ResourceCatalogue>(g_device, nullptr);  // silent: no sound is loaded
    g_catalogue = catalogue.get();
    struct Release {
        ~Release() { g_level.reset(), g_grid.reset(), g_gridVertexBuffer.reset(), g_catalogue = nullptr, g_device = nullptr; }
    } release;

    KeptScene kept;
    const auto pixels = [&](KeptScene* with) {
        // Each way from the same camera: making the view matrix rounds the camera a little.
        const Camera camera = g_camera;
        RenderGame(0.0f, 0, with);
        g_camera = camera;
        std::vector<uint8_t> rgba;
        int w = 0, h = 0;
        EXPECT_TRUE(device_->ReadPixels(&rgba, &w, &h));
        return rgba;
    };
    int64_t frames = 0, compared = 0, differing = 0;
    const auto compare = [&](const std::string& what) {
        const std::vector<uint8_t> fromKept = pixels(&kept), full = pixels(nullptr);
        ASSERT_EQ(fromKept.size(), full.size());
        int64_t here = 0;
        for (size_t i = 0; i < full.size(); i += 4)
            here += fromKept[i] != full[i] || fromKept[i + 1] != full[i + 1] || fromKept[i + 2] != full[i + 2];
        EXPECT_EQ(here, 0) << what << " on frame " << frames;
        differing += here, compared += static_cast<int64_t>(full.size() / 4), ++frames;
    };

    int64_t shotsThatChanged = 0;
    for (const std::string& name : catalogue->levels) {
        std::ostringstream ignored;
        const std::string path = LevelPath(name);
        ASSERT_EQ(StartSimLevel(path, ignored), 0) << name;
        g_showGrid = true, g_showClickVector = g_paused = false;
        // Play: the stored run in steps of half a second, the pointer wandering.
        RunPlayback run(StoredRun(path));
        ASSERT_FALSE(run.Finished()) << name << " has a stored run";
        for (int step = 0; !run.Finished() && !g_level->won && !g_level->lost; ++step) {
            const uint64_t before = g_level->objects.revision();
            run.Advance(0.5);
            shotsThatChanged += g_level->objects.revision() != before;
            g_pointer = Vec3(7.0f * static_cast<float>(step % 9), 5.0f * static_cast<float>(step % 7), 0.0f);
            compare(name + ", playing");
        }
        // Paused: the camera flown, then the grid and the click vector switched.
        ASSERT_EQ(StartSimLevel(path, ignored), 0) << name;
        g_paused = true;
        compare(name + ", paused");
        for (int step = 0; step < 4; ++step) {
            g_camera.Walk(3.0f);
            g_camera.Yaw(0.1f);
            compare(name + ", flying");
        }
        g_showGrid = false;
        compare(name + ", no grid");
        g_showClickVector = true;
        compare(name + ", click vector");
    }
    // At most 0.01 % of the pixels may differ; none do.
    EXPECT_LE(differing * 10000, compared) << differing << " of " << compared << " pixels differ";
    EXPECT_GT(shotsThatChanged, 10) << "the stored runs change the objects";
    // The standing part was put back, not drawn again, on most frames.
    EXPECT_LT(kept.Draws() * 3, static_cast<uint64_t>(frames)) << kept.Draws() << " draws in " << frames << " frames";
}

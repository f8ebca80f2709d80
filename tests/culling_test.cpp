// Culling leaves the picture alone: every shipped level, seen from many random cameras (close to
// the floor and high above it, looking every way), draws the same pixels culled as with every
// object drawn.
#include <unistd.h>

#include <random>
#include <sstream>

#include "GlTestDevice.h"
#include "graphics/GraphicsSetup.h"
#include "graphics/ModelDrawing.h"
#include "graphics/SceneRendering.h"
#include "resources/ResourceCatalogue.h"
#include "sim/SimScript.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

TEST_F(GlDeviceTest, CullingDrawsTheSamePixelsAsDrawingEveryObject) {
    ASSERT_EQ(chdir(TRACKLET_SOURCE_DIR "/data"), 0);
    g_device = device_, g_light = GameLight(), g_projection = GameProjection(kWidth, kHeight);
    device_->SetTransform(TransformType::Projection, g_projection);
    auto catalogue = std::make_unique<ResourceCatalogue>(g_device, nullptr);  // silent: no sound is loaded
    g_catalogue = catalogue.get();
    // The level, its grid and the catalogue go before the device they were made on.
    struct Release {
        ~Release() { g_level.reset(), g_grid.reset(), g_gridVertexBuffer.reset(), g_catalogue = nullptr, g_device = nullptr; }
    } release;
    // Each frame from the same camera: making the view matrix rounds the camera a little.
    Camera c;
    const auto frame = [&](bool cull) {
        g_camera = c;
        EXPECT_TRUE(BeginPlayFrame());
        if (!cull) SetFrameView(nullptr);
        DrawLevelScene(false);
        device_->EndScene();
        std::vector<uint8_t> pixels;
        int w = 0, h = 0;
        EXPECT_TRUE(device_->ReadPixels(&pixels, &w, &h));
        return pixels;
    };
    std::mt19937 random(2024);
    std::uniform_real_distribution<float> any(-1.0f, 1.0f);
    int frames = 0, differing = 0;
    for (const std::string& name : catalogue->levels) {
        std::ostringstream ignored;
        ASSERT_EQ(StartSimLevel(LevelPath(name), ignored), 0) << name;
        for (int i = 0; i < 24; ++i, ++frames) {
            c.position = Vec3(10.0f * g_level->width * (0.5f + 0.7f * any(random)), 10.0f * g_level->height * (0.5f + 0.7f * any(random)),
                              i % 2 ? 2.0f + 8.0f * (any(random) + 1.0f) : 40.0f * (any(random) + 1.2f));
            c.look = Vec3(any(random), any(random), 0.6f * any(random) - 0.4f);
            c.right = Vec3(-c.look.y, c.look.x, 0.3f * any(random));
            differing += frame(true) != frame(false);
        }
    }
    EXPECT_EQ(differing, 0) << "of " << frames << " frames";
}

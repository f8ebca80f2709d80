#include <gtest/gtest.h>

#include <cstdlib>

#include "GameFixture.h"
#include "graphics/GraphicsErrors.h"
#include "audio/SoundSystem.h"
#include "graphics/GraphicsSetup.h"
#include "platform/GraphicsSystem.h"

namespace {
// An adapter whose answers the test chooses: `failAt` names the step that fails with `code`
// ("caps", "mode", "multisample", "create", or a call of the device it makes).
class FakeGraphicsSystem : public GraphicsSystem {
public:
    uint32_t devCaps = kDevCapsHwTransformAndLight;
    std::string failAt;
    Result code = kOk;
    int steps = 0;
    uint32_t behaviourFlags = 0;
    PresentParameters params{};
    RecordingDevice* made = nullptr;
    bool* destroyed = nullptr;
    bool checkedWindowed = false;

    ~FakeGraphicsSystem() override {
        if (destroyed) *destroyed = true;
    }
    Result Step(const char* name) {
        ++steps;
        return failAt == name ? code : kOk;
    }
    Result GetDeviceCaps(uint32_t, DeviceCaps* caps) override {
        caps->devCaps = devCaps;
        return Step("caps");
    }
    Result GetAdapterDisplayMode(uint32_t, DisplayMode* mode) override {
        *mode = DisplayMode{1280, 1024, 60, kFormatA8R8G8B8};
        return Step("mode");
    }
    Result CheckDeviceMultiSampleType(uint32_t, uint32_t format, bool windowed, uint32_t type, uint32_t*) override {
        EXPECT_TRUE(format == kFormatA8R8G8B8 && type == 2);
        checkedWindowed = windowed;
        return Step("multisample");
    }
    Result CreateDevice(uint32_t, Window*, uint32_t flags, PresentParameters* p, RenderDevice** device) override {
        behaviourFlags = flags;
        params = *p;
        if (Failed(Step("create"))) return code;
        made = new RecordingDevice(p->backBufferWidth, p->backBufferHeight);
        if (!failAt.empty()) made->FailCall(failAt, code, 1);
        *device = made;
        return kOk;
    }
};

class GraphicsSetup : public GameFixture {
protected:
    static void ResetFont() {
        delete g_font;
        g_font = nullptr;
    }

    void SetUp() override {
        GameFixture::SetUp();
        g_device = nullptr;
        ResetFont();  // the set-up makes its own
        setenv("SDL_AUDIODRIVER", "dummy", 1);  // the sound system is made too
    }
    void TearDown() override {
        g_grid.reset();  // made on the device about to go
        g_gridVertexBuffer.reset();
        ResetFont();
        ReleaseGraphics();
        delete g_soundSystem;  // the game keeps it to the end; here each test owns the one it made
        g_soundSystem = nullptr;
        GameFixture::TearDown();
    }
};
}  // namespace

// Full screen at the desktop's mode, or a window at the asked size; either way a black first
// frame, a 60-degree projection at the back buffer's aspect from 0.5 to 1000, the first grid and
// the starting state. Released once: the device, then the adapter.
TEST_F(GraphicsSetup, DeviceAtTheDesktopSizeOrTheWindowsAndTheStartingState) {
    auto* system = new FakeGraphicsSystem;
    g_paused = true;
    g_latchEscape.set = g_latchM.set = g_latchPause.set = g_latchEnd.set = true;
    ASSERT_EQ(InitGraphics(nullptr, system), kOk);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(g_device, system->made);
    EXPECT_EQ(system->behaviourFlags, kCreateHardwareVertexProcessing);
    const PresentParameters& p = system->params;
    EXPECT_TRUE(p.backBufferWidth == 1280 && p.backBufferHeight == 1024 && p.fullScreenRefreshRate == 60 && !p.windowed);
    EXPECT_TRUE(p.multiSampleType == 2 && !system->checkedWindowed && p.autoDepthStencilFormat == kFormatD24S8);
    EXPECT_EQ(p.presentationInterval, kPresentIntervalImmediate);
    const std::vector<std::string> lines = system->made->Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0] + lines[1], "Clear(7, 0x00000000, 1, 0)Present()");
    EXPECT_FLOAT_EQ(g_projection(1, 1) / g_projection(0, 0), 1.25f);
    EXPECT_NEAR(g_projection(1, 1), 1.7320508f, 1e-6f);
    EXPECT_FLOAT_EQ(g_projection(2, 2), 1000.0f / 999.5f);
    EXPECT_EQ(system->made->CallsNamed("SetTransform").back().matrix, g_projection);
    ASSERT_TRUE(g_grid);
    EXPECT_TRUE(g_grid->xLineCount == 11 && g_grid->sizeX == 100.0f);
    EXPECT_TRUE(g_showTitleMenu && g_showGrid && !g_paused && g_font && g_soundSystem);
    EXPECT_FALSE(g_latchEscape.set || g_latchM.set || g_latchPause.set || g_latchEnd.set);
    bool destroyed = false;
    system->destroyed = &destroyed;
    g_grid.reset();
    g_gridVertexBuffer.reset();
    ReleaseGraphics();
    EXPECT_TRUE(destroyed && !g_device && !g_graphics);
    ReleaseGraphics();

    ResetFont();
    delete g_soundSystem;
    g_soundSystem = nullptr;
    system = new FakeGraphicsSystem;
    ASSERT_EQ(InitGraphics(nullptr, system, WindowedSize{800, 450}), kOk);
    EXPECT_TRUE(system->params.windowed && system->checkedWindowed && system->params.fullScreenRefreshRate == 0);
    EXPECT_TRUE(system->params.backBufferWidth == 800 && system->params.backBufferHeight == 450);
    EXPECT_FLOAT_EQ(g_projection(1, 1) / g_projection(0, 0), 800.0f / 450.0f);
}

TEST_F(GraphicsSetup, FailingStepIsReportedAndEndsTheSetUpAtOnce) {
    struct Case {
        const char* step;
        Result code;
        const char* text;
        int steps;
    } cases[] = {
        {"caps", kErrInvalidDevice, "Error calling GetDeviceCaps: Invalid device.", 1},
        {"mode", kErrInvalidCall, "Error calling GetDisplayMode: Invalid call.", 2},
        {"multisample", kErrNotAvailable, "Error calling CheckDeviceMultiSampleType: Not available.", 3},
        {"create", kErrNotAvailable, "Error calling CreateDevices: Not available.", 4},
        {"Clear", kFail, "Error calling Clear: Unknown error.", 4},
        {"Present", kErrDriverInternalError, "Error calling Present: An internal error occured within the driver.", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        auto* system = new FakeGraphicsSystem;
        system->devCaps = 0;  // no hardware lighting: software vertex processing
        system->failAt = c.step;
        system->code = c.code;
        g_showTitleMenu = false;
        errors.clear();
        EXPECT_EQ(InitGraphics(nullptr, system), kFail);
        EXPECT_EQ(errors, std::vector<std::string>{c.text});
        EXPECT_EQ(system->steps, c.steps);
        EXPECT_TRUE(!g_grid && !g_showTitleMenu) << "nothing after the failing step is done";
        EXPECT_TRUE(c.steps < 4 || system->behaviourFlags == kCreateSoftwareVertexProcessing);
        EXPECT_TRUE(!system->made || system->made->Calls().back().name == c.step) << "the failing call is the last";
        ReleaseGraphics();
    }
}

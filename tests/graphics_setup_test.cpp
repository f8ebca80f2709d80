#include <gtest/gtest.h>

#include <cstdlib>

#include "GameFixture.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/GraphicsSetup.h"
#include "platform/GraphicsSystem.h"

namespace {
// An adapter whose answers and failures the test chooses; its device is a recorder.
class FakeGraphicsSystem : public GraphicsSystem {
public:
    uint32_t devCaps = kDevCapsHwTransformAndLight;
    DisplayMode mode{1280, 1024, 60, kFormatA8R8G8B8};
    Result capsResult = kOk, modeResult = kOk, multiSampleResult = kOk, createResult = kOk;
    std::string deviceFailure;  // a call the created device fails once
    Result deviceFailureCode = kOk;
    std::vector<std::string> calls;
    uint32_t behaviourFlags = 0;
    PresentParameters params{};
    RecordingDevice* made = nullptr;
    bool* destroyed = nullptr;

    ~FakeGraphicsSystem() override {
        if (destroyed) *destroyed = true;
    }
    Result GetDeviceCaps(uint32_t adapter, DeviceCaps* caps) override {
        calls.push_back("GetDeviceCaps " + std::to_string(adapter));
        caps->devCaps = devCaps;
        return capsResult;
    }
    Result GetAdapterDisplayMode(uint32_t adapter, DisplayMode* out) override {
        calls.push_back("GetAdapterDisplayMode " + std::to_string(adapter));
        *out = mode;
        return modeResult;
    }
    Result CheckDeviceMultiSampleType(uint32_t adapter, uint32_t format, bool windowed, uint32_t type,
                                      uint32_t*) override {
        calls.push_back("CheckDeviceMultiSampleType " + std::to_string(adapter) + " " + std::to_string(format) + " " +
                        std::to_string(windowed) + " " + std::to_string(type));
        return multiSampleResult;
    }
    Result CreateDevice(uint32_t adapter, Window*, uint32_t flags, PresentParameters* p,
                        RenderDevice** device) override {
        calls.push_back("CreateDevice " + std::to_string(adapter));
        behaviourFlags = flags;
        params = *p;
        if (Failed(createResult)) return createResult;
        made = new RecordingDevice(p->backBufferWidth, p->backBufferHeight);
        if (!deviceFailure.empty()) made->FailCall(deviceFailure, deviceFailureCode, 1);
        *device = made;
        return kOk;
    }
};

class GraphicsSetup : public GameFixture {
protected:
    std::vector<std::string> errors;
    FakeGraphicsSystem* system = new FakeGraphicsSystem;  // owned by g_graphics once set up

    void SetUp() override {
        GameFixture::SetUp();
        g_device = nullptr;
        // The sound system is made too; it must not need a sound card.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        SetErrorBoxForTesting([this](const std::string& text) {
            errors.push_back(text);
            return 1;
        });
    }
    void TearDown() override {
        SetErrorBoxForTesting(nullptr);
        g_grid.reset();  // made on the device about to go
        g_gridVertexBuffer.reset();
        delete g_font;
        g_font = nullptr;
        ReleaseGraphics();
        GameFixture::TearDown();
    }
};
}  // namespace

TEST_F(GraphicsSetup, FullScreenDeviceAtTheDesktopSizeAndTheStartingState) {
    g_showTitleMenu = false;
    g_paused = true;
    g_latchEscape.set = g_latchM.set = g_latchPause.set = g_latchEnd.set = true;
    ASSERT_EQ(InitGraphics(nullptr, system), kOk);
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(g_device, system->made);
    EXPECT_EQ(system->calls, (std::vector<std::string>{"GetDeviceCaps 0", "GetAdapterDisplayMode 0",
                                                       "CheckDeviceMultiSampleType 0 21 0 2", "CreateDevice 0"}));
    EXPECT_EQ(system->behaviourFlags, kCreateHardwareVertexProcessing);
    const PresentParameters& p = system->params;
    EXPECT_EQ(p.backBufferWidth, 1280u);
    EXPECT_EQ(p.backBufferHeight, 1024u);
    EXPECT_EQ(p.backBufferFormat, kFormatA8R8G8B8);
    EXPECT_EQ(p.backBufferCount, 1u);
    EXPECT_EQ(p.multiSampleType, 2u);
    EXPECT_EQ(p.swapEffect, kSwapEffectDiscard);
    EXPECT_FALSE(p.windowed);
    EXPECT_TRUE(p.enableAutoDepthStencil);
    EXPECT_EQ(p.autoDepthStencilFormat, kFormatD24S8);
    EXPECT_EQ(p.fullScreenRefreshRate, 60u);
    EXPECT_EQ(p.presentationInterval, kPresentIntervalImmediate);

    // A black first frame, then the three transforms, the font and the first grid's buffer.
    const std::vector<std::string> lines = system->made->Lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Clear(7, 0x00000000, 1, 0)");
    EXPECT_EQ(lines[1], "Present()");
    const std::vector<RecordedCall> transforms = system->made->CallsNamed("SetTransform");
    ASSERT_EQ(transforms.size(), 3u);
    EXPECT_EQ(transforms[0].args.substr(0, 6), "World,");
    EXPECT_EQ(transforms[1].args.substr(0, 5), "View,");
    EXPECT_EQ(transforms[2].args.substr(0, 11), "Projection,");
    // Aspect 1280 / 1024 = 1.25 whatever the window's size; 60 degrees vertically; depth 0.5 to 1000.
    const Matrix4& proj = transforms[2].matrix;
    EXPECT_FLOAT_EQ(proj(1, 1) / proj(0, 0), 1.25f);
    EXPECT_NEAR(proj(1, 1), 1.7320508f, 1e-6f);
    EXPECT_FLOAT_EQ(proj(2, 2), 1000.0f / 999.5f);
    EXPECT_EQ(proj(2, 3), 1.0f);
    EXPECT_EQ(g_projection, proj);
    EXPECT_EQ(system->made->CallsNamed("CreateFont").size(), 1u);
    EXPECT_NE(system->made->Lines({"CreateFont"})[0].find("Times New Roman"), std::string::npos);
    ASSERT_TRUE(g_grid);
    EXPECT_EQ(g_grid->xLineCount, 11);
    EXPECT_EQ(g_grid->sizeX, 100.0f);

    EXPECT_EQ(g_light.type, LightType::Directional);
    EXPECT_EQ(g_light.direction, Vec3(0, 0, -1));
    EXPECT_EQ(g_light.specular, Color4(0.7f, 0.7f, 0.7f, 1.0f));
    EXPECT_EQ(g_light.ambient, Color4(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(g_floorPlane.c, 1.0f);
    EXPECT_EQ(g_floorPlane.d, 0.0f);
    EXPECT_TRUE(g_showTitleMenu);
    EXPECT_TRUE(g_showGrid);
    EXPECT_FALSE(g_paused);
    EXPECT_FALSE(g_latchEscape.set || g_latchM.set || g_latchPause.set || g_latchEnd.set);
    EXPECT_NE(g_soundSystem, nullptr);
}

TEST_F(GraphicsSetup, AdapterWithoutHardwareLightingGetsSoftwareVertexProcessing) {
    system->devCaps = 0;
    ASSERT_EQ(InitGraphics(nullptr, system), kOk);
    EXPECT_EQ(system->behaviourFlags, kCreateSoftwareVertexProcessing);
}

TEST_F(GraphicsSetup, FailingStepIsReportedAndEndsTheSetUpAtOnce) {
    struct Case {
        const char* step;
        Result code;
        const char* text;
        size_t systemCalls;
    } cases[] = {
        {"caps", kErrInvalidDevice, "Error calling GetDeviceCaps: Invalid device.", 1},
        {"mode", kErrInvalidCall, "Error calling GetDisplayMode: Invalid call.", 2},
        {"multisample", kErrNotAvailable, "Error calling CheckDeviceMultiSampleType: Not available.", 3},
        {"create", kErrNotAvailable, "Error calling CreateDevices: Not available.", 4},
        {"Clear", kFail, "Error calling Clear: Unknown error.", 4},
        {"Present", kErrDriverInternalError,
         "Error calling Present: An internal error occured within the driver.", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        auto* fake = new FakeGraphicsSystem;
        const std::string step = c.step;
        if (step == "caps") fake->capsResult = c.code;
        if (step == "mode") fake->modeResult = c.code;
        if (step == "multisample") fake->multiSampleResult = c.code;
        if (step == "create") fake->createResult = c.code;
        if (step == "Clear" || step == "Present") {
            fake->deviceFailure = step;
            fake->deviceFailureCode = c.code;
        }
        g_showTitleMenu = false;
        errors.clear();
        EXPECT_EQ(InitGraphics(nullptr, fake), kFail);
        EXPECT_EQ(errors, std::vector<std::string>{c.text});
        EXPECT_EQ(fake->calls.size(), c.systemCalls);
        EXPECT_FALSE(g_grid) << "nothing after the failing step is done";
        EXPECT_FALSE(g_showTitleMenu);
        if (fake->made) {
            EXPECT_EQ(fake->made->Calls().back().name, step);
        }
        ReleaseGraphics();
    }
    delete system;
    system = nullptr;
}

TEST_F(GraphicsSetup, ReleaseFreesDeviceThenSystemOnlyOnce) {
    bool destroyed = false;
    system->destroyed = &destroyed;
    ASSERT_EQ(InitGraphics(nullptr, system), kOk);
    g_grid.reset();
    g_gridVertexBuffer.reset();
    delete g_font;
    g_font = nullptr;
    ReleaseGraphics();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(g_device, nullptr);
    EXPECT_EQ(g_graphics, nullptr);
    ReleaseGraphics();  // a second call finds nothing to release
}

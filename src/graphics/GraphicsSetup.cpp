#include "graphics/GraphicsSetup.h"

#include <cstring>

#include "audio/SoundSystem.h"
#include "graphics/GraphicsErrors.h"
#include "graphics/ScreenDrawing.h"
#include "math/MathFunctions.h"
#include "platform/GraphicsSystem.h"
#include "platform/MessageBox.h"
#include "state/GameState.h"

namespace {
constexpr uint32_t kDefaultAdapter = 0;

bool IsWindowed(WindowedSize windowed) { return windowed.width > 0 && windowed.height > 0; }

// Full screen at the desktop's mode, or a window of the asked size.
PresentParameters DeviceParameters(const DisplayMode& mode, Window* window, WindowedSize windowed) {
    PresentParameters p{};
    const bool inWindow = IsWindowed(windowed);
    p.backBufferWidth = inWindow ? windowed.width : mode.width;
    p.backBufferHeight = inWindow ? windowed.height : mode.height;
    p.backBufferFormat = kFormatA8R8G8B8;
    p.backBufferCount = 1;
    p.multiSampleType = kMultisample2Samples;
    p.multiSampleQuality = 0;
    p.swapEffect = kSwapEffectDiscard;
    p.deviceWindow = window;
    p.windowed = inWindow;
    p.enableAutoDepthStencil = true;
    p.autoDepthStencilFormat = kFormatD24S8;
    p.flags = 0;
    p.fullScreenRefreshRate = inWindow ? 0 : mode.refreshRate;
    p.presentationInterval = kPresentIntervalImmediate;
    return p;
}


// Creates the device and shows its first (black) frame; kFail after reporting a failed step.
Result CreateDevice(Window* window, WindowedSize windowed, uint32_t* width, uint32_t* height) {
    DeviceCaps caps{};
    Result r = g_graphics->GetDeviceCaps(kDefaultAdapter, &caps);
    if (Failed(r)) {
        ReportGraphicsError(r, kOpGetDeviceCaps);
        return kFail;
    }
    const uint32_t behaviour = (caps.devCaps & kDevCapsHwTransformAndLight) ? kCreateHardwareVertexProcessing
                                                                            : kCreateSoftwareVertexProcessing;
    DisplayMode mode{};
    r = g_graphics->GetAdapterDisplayMode(kDefaultAdapter, &mode);
    if (Failed(r)) {
        ReportGraphicsError(r, kOpGetDisplayMode);
        return kFail;
    }
    uint32_t qualityLevels = 0;  // asked for, never used
    r = g_graphics->CheckDeviceMultiSampleType(kDefaultAdapter, kFormatA8R8G8B8, IsWindowed(windowed), kMultisample2Samples,
                                               &qualityLevels);
    if (Failed(r)) {
        ReportGraphicsError(r, kOpCheckDeviceMultiSampleType);
        return kFail;
    }
    PresentParameters params = DeviceParameters(mode, window, windowed);
    r = g_graphics->CreateDevice(kDefaultAdapter, window, behaviour, &params, &g_device);
    if (Failed(r)) {
        ReportGraphicsError(r, kOpCreateDevice);
        return kFail;
    }
    r = g_device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0x00000000u, 1.0f, 0);
    if (Failed(r)) {
        ReportGraphicsError(r, kOpClear);
        return kFail;
    }
    r = g_device->Present();
    if (Failed(r)) {
        ReportGraphicsError(r, kOpPresent);
        return kFail;
    }
    *width = params.backBufferWidth;
    *height = params.backBufferHeight;
    return kOk;
}
}  // namespace

FontDesc GameFontDesc() {
    FontDesc desc{};
    desc.height = 25;
    desc.width = 12;
    desc.weight = 500;
    desc.mipLevels = 0;
    desc.italic = false;
    desc.charSet = 1;  // the default character set
    std::strncpy(desc.faceName, "Times New Roman", sizeof(desc.faceName) - 1);
    return desc;
}

Light GameLight() {
    Light light;
    std::memset(&light, 0, sizeof(light));
    light.type = LightType::Directional;
    light.diffuse = Color4(1.0f, 1.0f, 1.0f, 1.0f);
    light.specular = Color4(0.7f, 0.7f, 0.7f, 1.0f);
    light.ambient = Color4(0.5f, 0.5f, 0.5f, 1.0f);
    light.position = Vec3(0.0f, 0.0f, 0.0f);
    light.direction = Vec3(0.0f, 0.0f, -1.0f);
    return light;
}

Matrix4 GameProjection(uint32_t width, uint32_t height) {
    const float pi = 3.14159265f;
    const float fieldOfView = pi * (1.0f / 3.0f);
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    Matrix4 projection;
    MatrixPerspectiveFovLH(&projection, fieldOfView, aspect, 0.5f, 1000.0f);
    return projection;
}

Result InitGraphics(Window* window, WindowedSize windowed) {
    return InitGraphics(window, CreateGraphicsSystem(), windowed);
}

Result InitGraphics(Window* window, GraphicsSystem* system, WindowedSize windowed) {
    g_graphics = system;
    if (!g_graphics) {
        // No video driver at all: reported like the failing steps, with a text of its own.
        ShowErrorBox("Error creating the graphics system: Not available.");
        return kFail;
    }
    uint32_t width = 0, height = 0;
    if (Failed(CreateDevice(window, windowed, &width, &height))) return kFail;

    g_camera.SetPosition(Vec3(0.0f, 0.0f, 0.0f));
    const Matrix4 view = g_camera.ViewMatrix();
    g_projection = GameProjection(width, height);
    g_device->SetTransform(TransformType::World, g_identity);
    g_device->SetTransform(TransformType::View, view);
    g_device->SetTransform(TransformType::Projection, g_projection);

    g_device->CreateFont(GameFontDesc(), &g_font);

    // The first grid stands until the first level replaces it with one of the level's size.
    g_grid = std::make_unique<FloorGrid>(g_device, 100.0f, 100.0f, 0.0f, 11, 11);
    g_showGrid = true;
    g_showClickVector = false;
    g_latchEnd = KeyLatch{};

    PlaneFromPointNormal(&g_floorPlane, Vec3(0.0f, 0.0f, 0.0f), Vec3(0.0f, 0.0f, 1.0f));
    g_pointer = Vec3(0.0f, 0.0f, 0.0f);
    g_light = GameLight();
    g_paused = false;
    g_latchPause = KeyLatch{};
    g_latchEscape = KeyLatch{};

    g_soundSystem = new SoundSystem(window);
    // The scene draws the model "pointer" where the system cursor would be.
    ShowCursor(false);

    g_showTitleMenu = true;
    g_showIntroduction = false;
    g_musicOff = false;
    g_latchM = KeyLatch{};
    return kOk;
}

void ReleaseGraphics() {
    // The screens' quad is the device's: it goes first.
    ForgetScreenDrawing();
    if (g_device) {
        delete g_device;
        g_device = nullptr;
    }
    if (g_graphics) {
        delete g_graphics;
        g_graphics = nullptr;
    }
}

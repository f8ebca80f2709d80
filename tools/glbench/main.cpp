// Opens the game's window with the game's device set-up (full screen at the desktop's size unless
// told otherwise), then only clears and presents for a while and prints the frames per second.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "platform/Clock.h"
#include "platform/GraphicsSystem.h"
#include "platform/Window.h"

int main(int argc, char** argv) {
    CLI::App app{"Clears and presents with the game's device set-up and prints frames per second."};
    int width = 0, height = 0;
    double seconds = 3.0;
    bool windowed = false;
    int samples = kMultisample2Samples;
    app.add_option("--width", width, "back-buffer width (default: the desktop's)")->check(CLI::NonNegativeNumber);
    app.add_option("--height", height, "back-buffer height (default: the desktop's)")->check(CLI::NonNegativeNumber);
    app.add_option("--seconds", seconds, "how long to run")->check(CLI::PositiveNumber);
    app.add_option("--samples", samples, "multisampling (the game asks for 2; 0: none)")->check(CLI::Range(0, 16));
    app.add_flag("--windowed", windowed, "a window of the given size instead of full screen");
    CLI11_PARSE(app, argc, argv);

    std::unique_ptr<Window> window(Window::Create("Tracklet", 100, 100, 1024, 768, nullptr));
    std::unique_ptr<GraphicsSystem> graphics(CreateGraphicsSystem());
    if (!window || !graphics) {
        std::fprintf(stderr, "tracklet-glbench: no video system\n");
        return 1;
    }
    DisplayMode mode{};
    if (Failed(graphics->GetAdapterDisplayMode(0, &mode))) {
        std::fprintf(stderr, "tracklet-glbench: no display mode\n");
        return 1;
    }
    PresentParameters params{};
    params.backBufferWidth = width > 0 ? static_cast<uint32_t>(width) : mode.width;
    params.backBufferHeight = height > 0 ? static_cast<uint32_t>(height) : mode.height;
    params.backBufferFormat = kFormatA8R8G8B8;
    params.backBufferCount = 1;
    params.multiSampleType = static_cast<uint32_t>(samples);
    params.swapEffect = kSwapEffectDiscard;
    params.deviceWindow = window.get();
    params.windowed = windowed;
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat = kFormatD24S8;
    params.fullScreenRefreshRate = mode.refreshRate;
    params.presentationInterval = kPresentIntervalImmediate;
    RenderDevice* raw = nullptr;
    const Result r = graphics->CreateDevice(0, window.get(), kCreateHardwareVertexProcessing, &params, &raw);
    if (Failed(r)) {
        std::fprintf(stderr, "tracklet-glbench: device set-up failed (0x%08X)\n", static_cast<unsigned>(r));
        return 1;
    }
    std::unique_ptr<RenderDevice> device(raw);
    window->Show();

    const int64_t frequency = PerformanceFrequency();
    const int64_t start = PerformanceCounter();
    int64_t now = start;
    long frames = 0;
    bool closed = false;
    while (!closed && now - start < static_cast<int64_t>(seconds * frequency)) {
        WindowMessage message;
        while (PeekWindowMessage(&message))
            if (message.message == kWmDestroy || message.message == kWmQuit) closed = true;
        device->Clear(kClearTarget | kClearZBuffer | kClearStencil, 0xFFFFFFFF, 1.0f, 0);
        device->BeginScene();
        device->EndScene();
        device->Present();
        ++frames;
        now = PerformanceCounter();
    }
    const double elapsed = static_cast<double>(now - start) / frequency;
    int drawW = 0, drawH = 0;
    window->GetClientSize(&drawW, &drawH);
    std::printf("%ux%u back buffer (window %dx%d): %ld frames in %.2f s = %.1f frames per second\n",
                params.backBufferWidth, params.backBufferHeight, drawW, drawH, frames, elapsed, frames / elapsed);
    return 0;
}

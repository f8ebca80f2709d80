#include "platform/OffscreenGraphics.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>

#include "platform/GraphicsSystem.h"
#include "platform/Window.h"
#include "platform/gl/GlRenderDevice.h"

namespace {
// Keeps every library loaded now (the GL driver among them) until the process ends, so that the
// leak checker at exit can still name the driver's frames that its suppressions match.
void PinLoadedLibraries() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && info->dlpi_name[0]) dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
}  // namespace

std::unique_ptr<OffscreenGraphics> OffscreenGraphics::Open(int width, int height, int samples, std::string* why) {
#ifdef __SANITIZE_ADDRESS__
    // Mesa's llvmpipe registers the unwind tables of its JIT code; with the sanitizer's slow
    // unwinder on every allocation that deadlocks inside libgcc. softpipe has no JIT.
    setenv("GALLIUM_DRIVER", "softpipe", 0);
#endif
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::unique_ptr<OffscreenGraphics> graphics(new OffscreenGraphics());
    const auto fail = [&](const char* what) {
        if (why) *why = what;
        graphics.reset();
        return nullptr;
    };
    if (width <= 0 || height <= 0) return fail("the image size must be positive");
    graphics->window_ = Window::Create("Tracklet", 0, 0, width, height, nullptr);
    if (!graphics->window_) return fail("no video system (SDL's offscreen driver found no EGL display)");
    graphics->system_ = CreateGraphicsSystem();
    if (!graphics->system_) return fail("no graphics system");
    PresentParameters params{};
    params.backBufferWidth = static_cast<uint32_t>(width);
    params.backBufferHeight = static_cast<uint32_t>(height);
    params.backBufferFormat = kFormatA8R8G8B8;
    params.backBufferCount = 1;
    params.multiSampleType = static_cast<uint32_t>(samples);
    params.swapEffect = kSwapEffectDiscard;
    params.deviceWindow = graphics->window_;
    params.windowed = true;
    params.enableAutoDepthStencil = true;
    params.autoDepthStencilFormat = kFormatD24S8;
    params.presentationInterval = kPresentIntervalImmediate;
    if (Failed(graphics->system_->CreateDevice(0, graphics->window_, kCreateHardwareVertexProcessing, &params,
                                               &graphics->device_)))
        return fail("no OpenGL 3.3 device with a back buffer of that size");
    PinLoadedLibraries();
    return graphics;
}

OffscreenGraphics::~OffscreenGraphics() {
    delete device_;
    delete system_;
    delete window_;
    ShutdownVideo();
}

RenderDevice* OffscreenGraphics::Device() const { return device_; }

bool OffscreenGraphics::ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height) const {
    return device_ && static_cast<GlRenderDevice*>(device_)->ReadPixels(rgba, width, height);
}

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdio>

#include "platform/GraphicsSystem.h"
#include "platform/VideoSystem.h"
#include "platform/Window.h"
#include "platform/gl/GlRenderDevice.h"

namespace {

// The display adapter seen through SDL: the desktop's mode, and devices made as GL 3.3 core
// contexts on the game's window.
class GlGraphicsSystem : public GraphicsSystem {
public:
    // Each system holds the video subsystem open while it lives (SDL counts the holders).
    ~GlGraphicsSystem() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

    Result GetDeviceCaps(uint32_t adapter, DeviceCaps* caps) override {
        if (!caps || static_cast<int>(adapter) >= SDL_GetNumVideoDisplays()) return kErrInvalidCall;
        // Transform and lighting run in the shader on every GL 3.3 driver.
        caps->devCaps = kDevCapsHwTransformAndLight;
        return kOk;
    }

    Result GetAdapterDisplayMode(uint32_t adapter, DisplayMode* mode) override {
        if (!mode) return kErrInvalidCall;
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(static_cast<int>(adapter), &desktop) != 0) return kErrInvalidCall;
        *mode = DisplayMode{static_cast<uint32_t>(desktop.w), static_cast<uint32_t>(desktop.h),
                            static_cast<uint32_t>(desktop.refresh_rate), kFormatA8R8G8B8};
        return kOk;
    }

    Result CheckDeviceMultiSampleType(uint32_t adapter, uint32_t format, bool, uint32_t multiSampleType,
                                      uint32_t* qualityLevels) override {
        if (static_cast<int>(adapter) >= SDL_GetNumVideoDisplays() || multiSampleType > 16) return kErrInvalidCall;
        if (format != kFormatA8R8G8B8) return kErrNotAvailable;
        // The device falls back to no multisampling when the driver refuses the samples, so any
        // count is accepted here.
        if (qualityLevels) *qualityLevels = 1;
        return kOk;
    }

    Result CreateDevice(uint32_t adapter, Window* window, uint32_t, PresentParameters* params,
                        RenderDevice** device) override {
        if (!device) return kErrInvalidCall;
        *device = nullptr;
        if (!window || !params || static_cast<int>(adapter) >= SDL_GetNumVideoDisplays()) return kErrInvalidCall;
        if (params->backBufferFormat != kFormatA8R8G8B8 && params->backBufferFormat != 0) return kErrNotAvailable;

        SDL_Window* native = static_cast<SDL_Window*>(window->NativeHandle());
        // Full screen first, so that a size taken from the window is the screen's.
        if (!params->windowed) {
            // A window manager applies full screen in its own time, after the window is up; the
            // window already covers the screen then, so the first present blackens all of it.
            window->CoverDisplay();
            window->SetFullScreenDesktop(true);
        }
        int width = static_cast<int>(params->backBufferWidth), height = static_cast<int>(params->backBufferHeight);
        if (width == 0 || height == 0) window->GetClientSize(&width, &height);
        if (width <= 0 || height <= 0) return kErrInvalidCall;
        params->backBufferWidth = static_cast<uint32_t>(width);
        params->backBufferHeight = static_cast<uint32_t>(height);
        if (params->windowed) window->SetClientSize(width, height);
        window->SetDrawingSize(width, height);

        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GLContext context = SDL_GL_CreateContext(native);
        if (!context) {
            std::fprintf(stderr, "Tracklet: no OpenGL 3.3 context: %s\n", SDL_GetError());
            return kErrNotAvailable;
        }
        SDL_GL_MakeCurrent(native, context);
        if (epoxy_gl_version() < 33) {
            SDL_GL_DeleteContext(context);
            return kErrNotAvailable;
        }
        // No wait for the vertical retrace when asked for; drivers that insist keep theirs.
        SDL_GL_SetSwapInterval(params->presentationInterval == kPresentIntervalImmediate ? 0 : 1);

        const int samples = params->multiSampleType >= 2 ? static_cast<int>(params->multiSampleType) : 0;
        auto* gl = new GlRenderDevice(window, context);
        const Result r = gl->Initialise(width, height, samples);
        if (Failed(r)) {
            delete gl;
            return r;
        }
        // A full-screen device takes the screen as soon as it exists: the window goes up now, so
        // the device's first clear and present blacken the screen while the game loads, instead
        // of leaving the desktop in view until the first frame.
        if (!params->windowed) window->Show();
        *device = gl;
        return kOk;
    }
};

}  // namespace

GraphicsSystem* CreateGraphicsSystem() {
    if (!StartVideoSystem()) return nullptr;
    return new GlGraphicsSystem();
}

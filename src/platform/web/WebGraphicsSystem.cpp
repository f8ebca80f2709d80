// The browser's display: WebGL 2 on the page's canvas, behind the same OpenGL device as the
// desktop's.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "platform/GraphicsSystem.h"
#include "platform/Window.h"
#include "platform/gl/GlRenderDevice.h"
#include "platform/gl/GlSurface.h"
#include "platform/web/WebFrame.h"

namespace {

constexpr const char* kCanvas = "#canvas";

// The page's size in the device's pixels (CSS pixels times the pixel ratio): the canvas covers
// the page, and its image is drawn at the screen's own resolution.
void PageSize(int* width, int* height) {
    double w = 0.0, h = 0.0;
    emscripten_get_element_css_size(kCanvas, &w, &h);
    const double ratio = emscripten_get_device_pixel_ratio();
    const double scale = ratio > 0.0 ? ratio : 1.0;
    *width = static_cast<int>(w * scale + 0.5);
    *height = static_cast<int>(h * scale + 0.5);
}

class WebGraphicsSystem : public GraphicsSystem {
public:
    Result GetDeviceCaps(uint32_t adapter, DeviceCaps* caps) override {
        if (!caps || adapter != 0) return kErrInvalidCall;
        caps->devCaps = kDevCapsHwTransformAndLight;
        return kOk;
    }

    Result GetAdapterDisplayMode(uint32_t adapter, DisplayMode* mode) override {
        if (!mode || adapter != 0) return kErrInvalidCall;
        int width = 0, height = 0;
        PageSize(&width, &height);
        if (width <= 0 || height <= 0) return kErrInvalidCall;
        *mode = DisplayMode{static_cast<uint32_t>(width), static_cast<uint32_t>(height), 60, kFormatA8R8G8B8};
        return kOk;
    }

    Result CheckDeviceMultiSampleType(uint32_t adapter, uint32_t format, bool, uint32_t multiSampleType,
                                      uint32_t* qualityLevels) override {
        if (adapter != 0 || multiSampleType > 16) return kErrInvalidCall;
        if (format != kFormatA8R8G8B8) return kErrNotAvailable;
        if (qualityLevels) *qualityLevels = 1;
        return kOk;
    }

    Result CreateDevice(uint32_t adapter, Window* window, uint32_t, PresentParameters* params,
                        RenderDevice** device) override {
        if (!device) return kErrInvalidCall;
        *device = nullptr;
        if (!window || !params || adapter != 0) return kErrInvalidCall;
        if (params->backBufferFormat != kFormatA8R8G8B8 && params->backBufferFormat != 0) return kErrNotAvailable;
        int width = static_cast<int>(params->backBufferWidth), height = static_cast<int>(params->backBufferHeight);
        if (width == 0 || height == 0) window->GetClientSize(&width, &height);
        if (width <= 0 || height <= 0) return kErrInvalidCall;
        params->backBufferWidth = static_cast<uint32_t>(width);
        params->backBufferHeight = static_cast<uint32_t>(height);
        window->SetDrawingSize(width, height);

        // The device draws into a multisampled buffer of its own and copies the finished image
        // onto the canvas, which needs no depth, stencil, samples or alpha of its own.
        EmscriptenWebGLContextAttributes attributes;
        emscripten_webgl_init_context_attributes(&attributes);
        attributes.majorVersion = 2;
        attributes.minorVersion = 0;
        attributes.alpha = EM_FALSE;
        attributes.depth = EM_FALSE;
        attributes.stencil = EM_FALSE;
        attributes.antialias = EM_FALSE;
        attributes.preserveDrawingBuffer = EM_FALSE;
        attributes.powerPreference = EM_WEBGL_POWER_PREFERENCE_HIGH_PERFORMANCE;
        const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(kCanvas, &attributes);
        if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
            std::fprintf(stderr, "Tracklet: no WebGL 2 context (%d)\n", static_cast<int>(context));
            return kErrNotAvailable;
        }
        // The canvas's own pixels follow the page from the first frame on.
        int canvasWidth = 0, canvasHeight = 0;
        GlDrawableSize(window, &canvasWidth, &canvasHeight);

        const int samples = params->multiSampleType >= 2 ? static_cast<int>(params->multiSampleType) : 0;
        auto* gl = new GlRenderDevice(window, reinterpret_cast<void*>(static_cast<intptr_t>(context)));
        const Result r = gl->Initialise(width, height, samples);
        if (Failed(r)) {
            delete gl;
            return r;
        }
        *device = gl;
        return kOk;
    }
};

}  // namespace

GraphicsSystem* CreateGraphicsSystem() { return new WebGraphicsSystem(); }

void GlDrawableSize(Window*, int* width, int* height) {
    // The canvas's pixels follow the page's size (in device pixels), so the image is never
    // stretched by the page itself; the device scales its image to them.
    int pageWidth = 0, pageHeight = 0;
    PageSize(&pageWidth, &pageHeight);
    int w = 0, h = 0;
    emscripten_get_canvas_element_size(kCanvas, &w, &h);
    if (pageWidth > 0 && pageHeight > 0 && (w != pageWidth || h != pageHeight)) {
        emscripten_set_canvas_element_size(kCanvas, pageWidth, pageHeight);
        w = pageWidth;
        h = pageHeight;
    }
    *width = w;
    *height = h;
}

// The browser shows the canvas once the page's script hands control back.
void GlSwapWindow(Window*) { NoteFramePresented(); }

// The browser shows frames at its own animation frames whatever is asked.
void GlSetPresentWait(Window*, bool) {}

EM_JS(void, TellPageGameEnded, (), {
    if (Module.onGameEnded) Module.onGameEnded();
});

// The device goes only when the game ends: the page says so instead of showing the last frame.
void GlDeleteContext(void* context) {
    emscripten_webgl_destroy_context(static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(reinterpret_cast<intptr_t>(context)));
    TellPageGameEnded();
}

#pragma once
#include <cstdint>

#include "platform/RenderDevice.h"
#include "platform/RenderTypes.h"
#include "platform/Result.h"

class Window;

// The display adapter and the making of its render device: the steps the device set-up takes,
// each able to fail with the result codes the error texts are chosen by.
class GraphicsSystem {
public:
    virtual ~GraphicsSystem() = default;
    virtual Result GetDeviceCaps(uint32_t adapter, DeviceCaps* caps) = 0;
    // The desktop's current resolution and refresh rate.
    virtual Result GetAdapterDisplayMode(uint32_t adapter, DisplayMode* mode) = 0;
    virtual Result CheckDeviceMultiSampleType(uint32_t adapter, uint32_t format, bool windowed,
                                              uint32_t multiSampleType, uint32_t* qualityLevels) = 0;
    // Makes the device for `window` (turned full-screen at the back-buffer size unless windowed).
    virtual Result CreateDevice(uint32_t adapter, Window* window, uint32_t behaviourFlags,
                                PresentParameters* params, RenderDevice** device) = 0;
};

// The OpenGL graphics system; null when no video driver can be initialised.
GraphicsSystem* CreateGraphicsSystem();

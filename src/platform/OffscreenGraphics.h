#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GraphicsSystem;
class RenderDevice;
class Window;

// The game's GL render device drawing into a back buffer of a chosen size that is never shown:
// a hidden window on the video driver SDL_VIDEODRIVER names, SDL's offscreen driver (EGL,
// surfaceless on Mesa: no X server, no window manager) when it names none.
class OffscreenGraphics {
public:
    ~OffscreenGraphics();
    // Makes the device with `samples` samples per pixel (0: none; the game asks for 2). Null,
    // with the reason in *why, when no GL 3.3 device of that size can be made.
    static std::unique_ptr<OffscreenGraphics> Open(int width, int height, int samples, std::string* why);

    RenderDevice* Device() const;
    // The back buffer as drawn so far: RGBA bytes, rows top to bottom; false when unreadable.
    bool ReadPixels(std::vector<uint8_t>* rgba, int* width, int* height) const;

private:
    OffscreenGraphics() = default;
    Window* window_ = nullptr;
    GraphicsSystem* system_ = nullptr;
    RenderDevice* device_ = nullptr;
};

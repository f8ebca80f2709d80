#pragma once
#include <cstdint>

#include "math/Matrix4.h"
#include "platform/RenderTypes.h"

class Level;
class RenderDevice;
class ResourceCatalogue;

// The standing part of a frame of play (the level's objects and the floor, on white), kept by the
// device between frames, and what it was drawn from. A frame made with it puts the kept picture
// back and draws only what moves over it. The standing part is drawn (and kept) again whenever
// anything it is drawn from differs from the last time: the device, the catalogue, the level's
// objects, the camera's view, the projection, the viewport or the light; or when the device has
// no kept picture to give back (it could not keep one, or lost it).
class KeptScene {
public:
    // Starts a frame of play as BeginPlayFrame does, with the standing part of `level` already in
    // the back buffer: put back when it is kept for this frame, else drawn and kept. False, with
    // nothing drawn, when BeginPlayFrame would be false.
    bool BeginFrame(Level& level);
    // Makes the next frame draw the standing part again, whatever it is drawn from.
    void Forget() { held_ = false; }
    // How many frames drew the standing part (the others put it back).
    uint64_t Draws() const { return draws_; }

private:
    // What the standing part is drawn from.
    struct Source {
        const RenderDevice* device = nullptr;
        const ResourceCatalogue* catalogue = nullptr;
        uint64_t objects = 0;  // the object list's revision
        Matrix4 view{}, projection{};
        Viewport viewport{};
        Light light{};
        bool operator==(const Source& o) const;
    };
    // What this frame's standing part of `level` would be drawn from, with the camera's `view`.
    static Source Now(const Level& level, const Matrix4& view);

    Source source_;
    bool held_ = false;  // the device was asked to keep the picture of source_ and did
    uint64_t draws_ = 0;
};

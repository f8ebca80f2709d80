#pragma once
#include "platform/gl/GlApi.h"

#include <cstdint>
#include <vector>

// The image the device draws into: a framebuffer of the requested size with colour, 24-bit depth
// and 8-bit stencil, multisampled when the driver allows, resolved and stretched onto the window
// at Present (the resolved copy is made only when a stretch or a read needs it). Keeping it off-screen makes its size and sample count independent of what the
// window system gives the window.
class GlBackBuffer {
public:
    ~GlBackBuffer();
    // Makes the buffers; with samples > 0 tries that many and falls back to none. False when
    // not even a single-sample buffer can be made.
    bool Create(int width, int height, int samples);
    void Release();

    // Binds it as the target of drawing.
    void Bind() const;
    // Copies the image onto the default framebuffer of `drawableWidth` x `drawableHeight`.
    void CopyToWindow(int drawableWidth, int drawableHeight);
    // The resolved image as RGBA bytes, rows top to bottom.
    void Read(std::vector<uint8_t>* rgba);

    // Copies the whole image (colour, depth and stencil, every sample) into the kept copy, made
    // with the image's own formats and sample count. False when the copy cannot be made or the
    // driver cannot copy into it (OpenGL ES copies into no multisampled buffer).
    bool Keep();
    // Copies the kept copy back over the whole image; false when nothing is kept (never kept,
    // or the buffers were made again since).
    bool Restore();

    // The framebuffer holding the image as single samples (resolving a multisampled one first),
    // bound for reading; Bind() makes the back buffer the target again.
    GLuint ReadableFramebuffer();

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Samples() const { return samples_; }

private:
    bool MakeTarget(int samples);
    // Makes the single-sample buffer a multisampled image is resolved into; false when it cannot.
    bool MakeResolveTarget();
    // Resolves a multisampled image into the single-sample buffer; returns the framebuffer to read.
    GLuint Resolve();

    // Makes the buffers the image is kept in; false when it cannot.
    bool MakeKeptTarget();

    int width_ = 0, height_ = 0, samples_ = 0;
    GLuint framebuffer_ = 0, color_ = 0, depthStencil_ = 0;
    GLuint resolveFramebuffer_ = 0, resolveColor_ = 0;
    GLuint keptFramebuffer_ = 0, keptColor_ = 0, keptDepthStencil_ = 0;
    bool kept_ = false;  // the kept buffers hold an image of the current buffers
};

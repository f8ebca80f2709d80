#include "platform/gl/GlBackBuffer.h"

#include <algorithm>

namespace {

// A framebuffer of colour and depth-stencil renderbuffers of `samples` samples (0: none) and the
// given size, left bound; false, with nothing made, when the driver refuses it.
bool MakeMultisampledTarget(int samples, int width, int height, GLuint* framebuffer, GLuint* color,
                            GLuint* depthStencil) {
    while (glGetError() != GL_NO_ERROR) {}
    glGenFramebuffers(1, framebuffer);
    glGenRenderbuffers(1, color);
    glGenRenderbuffers(1, depthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, *color);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, *depthStencil);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, *framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, *color);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, *depthStencil);
    const bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE && glGetError() == GL_NO_ERROR;
    if (!ok) {
        glDeleteFramebuffers(1, framebuffer);
        glDeleteRenderbuffers(1, color);
        glDeleteRenderbuffers(1, depthStencil);
        *framebuffer = *color = *depthStencil = 0;
    }
    return ok;
}

}  // namespace

GlBackBuffer::~GlBackBuffer() { Release(); }

void GlBackBuffer::Release() {
    if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
    if (resolveFramebuffer_) glDeleteFramebuffers(1, &resolveFramebuffer_);
    if (color_) glDeleteRenderbuffers(1, &color_);
    if (depthStencil_) glDeleteRenderbuffers(1, &depthStencil_);
    if (resolveColor_) glDeleteRenderbuffers(1, &resolveColor_);
    if (keptFramebuffer_) glDeleteFramebuffers(1, &keptFramebuffer_);
    if (keptColor_) glDeleteRenderbuffers(1, &keptColor_);
    if (keptDepthStencil_) glDeleteRenderbuffers(1, &keptDepthStencil_);
    framebuffer_ = resolveFramebuffer_ = color_ = depthStencil_ = resolveColor_ = 0;
    keptFramebuffer_ = keptColor_ = keptDepthStencil_ = 0;
    kept_ = false;
}

bool GlBackBuffer::MakeTarget(int samples) {
    Release();
    const bool ok = MakeMultisampledTarget(samples, width_, height_, &framebuffer_, &color_, &depthStencil_);
    samples_ = ok ? samples : 0;
    return ok;
}

bool GlBackBuffer::Create(int width, int height, int samples) {
    width_ = width;
    height_ = height;
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    // Drivers may round a sample count up; a count above the maximum is refused outright.
    const bool ok = (samples > 0 && samples <= maxSamples && MakeTarget(samples)) || MakeTarget(0);
    Bind();
    return ok;
}

void GlBackBuffer::Bind() const { glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_); }

bool GlBackBuffer::MakeResolveTarget() {
    while (glGetError() != GL_NO_ERROR) {}
    glGenFramebuffers(1, &resolveFramebuffer_);
    glGenRenderbuffers(1, &resolveColor_);
    glBindRenderbuffer(GL_RENDERBUFFER, resolveColor_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
    glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, resolveColor_);
    const bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE && glGetError() == GL_NO_ERROR;
    if (!ok) {
        glDeleteFramebuffers(1, &resolveFramebuffer_);
        glDeleteRenderbuffers(1, &resolveColor_);
        resolveFramebuffer_ = resolveColor_ = 0;
    }
    Bind();
    return ok;
}

bool GlBackBuffer::MakeKeptTarget() {
    const bool ok = MakeMultisampledTarget(samples_, width_, height_, &keptFramebuffer_, &keptColor_, &keptDepthStencil_);
    Bind();
    return ok;
}

bool GlBackBuffer::Keep() {
    kept_ = false;
    if (!framebuffer_) return false;
#ifdef __EMSCRIPTEN__
    // OpenGL ES refuses a copy into a multisampled buffer, so the kept copy could never go back.
    if (samples_ > 0) return false;
#endif
    if (!keptFramebuffer_ && !MakeKeptTarget()) return false;
    // Same formats, size and sample count on both sides: a sample-for-sample copy, no filtering.
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, keptFramebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, GL_NEAREST);
    Bind();
    kept_ = glGetError() == GL_NO_ERROR;
    return kept_;
}

bool GlBackBuffer::Restore() {
    if (!kept_) return false;
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, keptFramebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT, GL_NEAREST);
    Bind();
    return glGetError() == GL_NO_ERROR;
}

GLuint GlBackBuffer::Resolve() {
    if (samples_ == 0) return framebuffer_;
    // Made when first needed: a window of the image's own size never needs it.
    if (!resolveFramebuffer_ && !MakeResolveTarget()) return framebuffer_;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    return resolveFramebuffer_;
}

void GlBackBuffer::CopyToWindow(int drawableWidth, int drawableHeight) {
#ifdef __EMSCRIPTEN__
    // WebGL's canvas has no alpha channel and OpenGL ES resolves samples only between buffers of
    // one format, so the image is always resolved first.
    const bool sameSize = false;
#else
    const bool sameSize = drawableWidth == width_ && drawableHeight == height_;
#endif
    // A multisampled image can be resolved straight onto a window of its own size; stretching
    // needs the resolved copy first.
    const GLuint source = sameSize ? framebuffer_ : Resolve();
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, drawableWidth, drawableHeight, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    Bind();
}

void GlBackBuffer::Read(std::vector<uint8_t>* rgba) {
    const GLuint source = Resolve();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    std::vector<uint8_t> upsideDown(static_cast<size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, upsideDown.data());
    // GL rows run bottom to top.
    rgba->resize(upsideDown.size());
    const size_t row = static_cast<size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y)
        std::copy(upsideDown.begin() + (height_ - 1 - y) * row, upsideDown.begin() + (height_ - y) * row,
                  rgba->begin() + y * row);
    Bind();
}

GLuint GlBackBuffer::ReadableFramebuffer() {
    const GLuint source = Resolve();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    return source;
}

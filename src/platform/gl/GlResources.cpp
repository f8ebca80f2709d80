#include "platform/gl/GlResources.h"

#include <algorithm>

#include "platform/LoadReport.h"
#include "platform/MipLevel.h"
#include "platform/gl/GlRenderDevice.h"

GlTexture::~GlTexture() {
    if (life_->alive && name_) glDeleteTextures(1, &name_);
}

GLuint GlTexture::Name() {
    if (file_.bytes.empty() || !life_->alive) return name_;
    RgbaImage image;
    std::string reason;
    if (DecodeImage(file_, &image, &reason)) {
        name_ = UploadRgbaTexture(image.width, image.height, image.pixels.get());
        if (!name_) reason = "cannot be uploaded";
    }
    if (!name_) LoadReport(path_, reason);
    file_ = EncodedImage();
    return name_;
}

GlVertexBuffer::GlVertexBuffer(std::shared_ptr<GlLife> life, uint32_t length, uint32_t fvf)
    : life_(std::move(life)), shadow_(length, 0), fvf_(fvf) {
    glGenBuffers(1, &name_);
    glBindBuffer(GL_ARRAY_BUFFER, name_);
    glBufferData(GL_ARRAY_BUFFER, length, shadow_.data(), GL_STATIC_DRAW);
}

GlVertexBuffer::~GlVertexBuffer() {
    if (life_->alive && name_) glDeleteBuffers(1, &name_);
}

Result GlVertexBuffer::Lock(uint32_t offset, uint32_t size, void** data, uint32_t) {
    if (!data || locked_) return kErrInvalidCall;
    if (size == 0) size = Length() >= offset ? Length() - offset : 0;
    if (offset > Length() || size > Length() - offset) return kErrInvalidCall;
    locked_ = true;
    lockOffset_ = offset;
    lockSize_ = size;
    *data = shadow_.data() + offset;
    return kOk;
}

Result GlVertexBuffer::Unlock() {
    if (!locked_) return kErrInvalidCall;
    locked_ = false;
    if (!life_->alive) return kErrDeviceLost;
    glBindBuffer(GL_ARRAY_BUFFER, name_);
    glBufferSubData(GL_ARRAY_BUFFER, lockOffset_, lockSize_, shadow_.data() + lockOffset_);
    return kOk;
}

GLuint UploadRgbaTexture(int width, int height, const uint8_t* rgba) {
    if (width <= 0 || height <= 0) return 0;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width > maxSize || height > maxSize) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side /= 2) ++levels;
    // Storage for the whole chain at once: the driver does not allocate each level as it comes.
#ifdef __EMSCRIPTEN__
    const bool storage = true;  // part of OpenGL ES 3.0
#else
    const bool storage = epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_texture_storage");
#endif
    if (storage) glTexStorage2D(GL_TEXTURE_2D, levels, GL_RGBA8, width, height);
    // The chain is built here rather than by glGenerateMipmap: a driver that renders its levels
    // (as software ones do) compiles that code on its first call, a fifth of a second before the
    // first picture shows. Two buffers take turns holding the last level and the next.
    std::vector<uint8_t> buffers[2];
    const uint8_t* pixels = rgba;
    for (int level = 0; level < levels; ++level) {
        if (level > 0) {
            std::vector<uint8_t>& next = buffers[level % 2];
            next.resize(static_cast<size_t>(HalfSide(width)) * HalfSide(height) * 4);
            HalveRgba(width, height, pixels, next.data());
            width = HalfSide(width);
            height = HalfSide(height);
            pixels = next.data();
        }
        if (storage) {
            glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        } else {
            glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        }
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return name;
}

#pragma once
#include "platform/gl/GlApi.h"

#include <memory>
#include <vector>

#include "platform/ImageFile.h"
#include "platform/RenderDevice.h"

struct GlLife;

// A texture of the GL device: RGBA8 with its mipmap chain. It is made from a checked image file
// whose pixels are decoded and uploaded the first time the texture is drawn with, so images that
// are never shown cost neither the time nor the memory, and the file's bytes are dropped once
// the GL has the pixels.
class GlTexture : public Texture {
public:
    GlTexture(std::shared_ptr<GlLife> life, std::string path, EncodedImage file)
        : life_(std::move(life)), path_(std::move(path)), file_(std::move(file)) {}
    // A texture already uploaded as `name`, owned from now on.
    GlTexture(std::shared_ptr<GlLife> life, GLuint name) : life_(std::move(life)), name_(name) {}
    ~GlTexture() override;
    // The GL texture, decoded and uploaded on first use; 0 when the pixels could not be decoded
    // or uploaded, so the texture draws as none.
    GLuint Name();

private:
    std::shared_ptr<GlLife> life_;
    std::string path_;
    EncodedImage file_;  // empty once uploaded or refused
    GLuint name_ = 0;
};

// A vertex buffer: a CPU copy that Lock hands out and Unlock sends to the GL buffer.
class GlVertexBuffer : public VertexBuffer {
public:
    GlVertexBuffer(std::shared_ptr<GlLife> life, uint32_t length, uint32_t fvf);
    ~GlVertexBuffer() override;
    Result Lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    Result Unlock() override;

    GLuint Name() const { return name_; }
    uint32_t Length() const { return static_cast<uint32_t>(shadow_.size()); }
    uint32_t Fvf() const { return fvf_; }

private:
    std::shared_ptr<GlLife> life_;
    std::vector<uint8_t> shadow_;
    uint32_t fvf_;
    GLuint name_ = 0;
    bool locked_ = false;
    uint32_t lockOffset_ = 0, lockSize_ = 0;
};

// Uploads an RGBA image (rows top to bottom, so texture coordinate v = 0 is the top row) with
// mipmaps; returns the GL texture name, 0 on failure.
GLuint UploadRgbaTexture(int width, int height, const uint8_t* rgba);

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/ImageWrite.h"
#include "platform/RecordingDevice.h"
#include "TempDir.h"

TEST(RecordingDevice, VertexBuffersHoldRealBoundedMemoryThatOutlivesTheDevice) {
    std::unique_ptr<VertexBuffer> buffer;
    {
        RecordingDevice device;
        VertexBuffer* raw = nullptr;
        ASSERT_EQ(device.CreateVertexBuffer(24, 0, kFvfXyz, kPoolManaged, &raw), kOk);
        buffer.reset(raw);
        VertexBuffer* huge = nullptr;
        EXPECT_EQ(device.CreateVertexBuffer(UINT32_MAX, 0, kFvfXyz, kPoolManaged, &huge), kErrOutOfVideoMemory);
        EXPECT_EQ(huge, nullptr);
    }
    void* data = nullptr;
    ASSERT_EQ(buffer->Lock(12, 0, &data, 0), kOk);  // size 0: the rest of the buffer
    void* again = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &again, 0), kErrInvalidCall);  // already locked
    const float xyz[3] = {1.5f, -2.0f, 3.0f};
    std::memcpy(data, xyz, sizeof xyz);
    ASSERT_EQ(buffer->Unlock(), kOk);
    EXPECT_EQ(buffer->Unlock(), kErrInvalidCall);
    EXPECT_EQ(dynamic_cast<RecordingVertexBuffer&>(*buffer).Floats(), (std::vector<float>{0, 0, 0, 1.5f, -2.0f, 3.0f}));
    EXPECT_EQ(buffer->Lock(12, 16, &data, 0), kErrInvalidCall);  // past the end
    EXPECT_EQ(buffer->Lock(25, 0, &data, 0), kErrInvalidCall);
}

TEST(RecordingDevice, TexturesLoadOnlyFromReadableImages) {
    // A 2x1 24-bit BMP: red, green, row padding.
    const unsigned char bmp[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
        8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    const std::string image(reinterpret_cast<const char*>(bmp), sizeof bmp);
    TempDir dir;
    RecordingDevice device;
    Texture* texture = nullptr;
    ASSERT_EQ(device.CreateTextureFromFile(dir.Write("red.bmp", image), &texture), kOk);
    std::unique_ptr<Texture> owned(texture);
    auto* recorded = dynamic_cast<RecordingTexture*>(texture);
    ASSERT_NE(recorded, nullptr);
    EXPECT_TRUE(recorded->width == 2 && recorded->height == 1);

    // A PNG is checked by its chunks alone, which must run on to the closing one.
    const std::string png = (dir.Path() / "whole.png").string();
    ASSERT_TRUE(WritePng(png, 2, 1, 3, std::vector<uint8_t>(6, 128)));
    Texture* pngTexture = nullptr;
    ASSERT_EQ(device.CreateTextureFromFile(png, &pngTexture), kOk);
    delete pngTexture;
    std::ifstream in(png, std::ios::binary);
    const std::string pngBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::string& path : {dir.Write("bad.bmp", "BM this is not an image"), dir.Write("cut.bmp", image.substr(0, 40)),
                                    dir.Write("cut.png", pngBytes.substr(0, pngBytes.size() - 12)),
                                    (dir.Path() / "missing.png").string(), dir.Path().string()}) {
        Texture* failed = reinterpret_cast<Texture*>(&device);  // must be overwritten
        EXPECT_TRUE(Failed(device.CreateTextureFromFile(path, &failed))) << path;
        EXPECT_EQ(failed, nullptr) << path;
    }
}

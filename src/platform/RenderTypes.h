#pragma once
#include <cstdint>

#include "math/Color4.h"
#include "math/Vec3.h"

// Plain records and enumerations of the render device, with the values and field orders the
// game's drawing code is written against.

struct Material {
    Color4 diffuse;
    Color4 ambient;
    Color4 specular;
    Color4 emissive;
    float power;
};

enum class LightType : uint32_t { Point = 1, Spot = 2, Directional = 3 };

struct Light {
    LightType type;
    Color4 diffuse;
    Color4 specular;
    Color4 ambient;
    Vec3 position;
    Vec3 direction;
    float range;
    float falloff;
    float attenuation0;
    float attenuation1;
    float attenuation2;
    float theta;
    float phi;
};

struct Viewport {
    uint32_t x, y, width, height;
    float minZ, maxZ;
};

// A rectangle in back-buffer pixels, y downwards.
struct Rect {
    int32_t left, top, right, bottom;
};

enum class TransformType : uint32_t { View = 2, Projection = 3, World = 256 };

enum class RenderStateType : uint32_t {
    ZEnable = 7,
    ShadeMode = 9,
    Lighting = 137,
    Ambient = 139,
    SpecularEnable = 29,
    ZWriteEnable = 14,
    CullMode = 22,
};
constexpr uint32_t kZbTrue = 1;
constexpr uint32_t kCullNone = 1;
constexpr uint32_t kCullClockwise = 2;
constexpr uint32_t kCullCounterClockwise = 3;  // the game's own drawing never changes from this
constexpr uint32_t kShadeGouraud = 2;

enum class TextureStageStateType : uint32_t { ColorOp = 1, ColorArg1 = 2, ColorArg2 = 3, AlphaOp = 4 };
constexpr uint32_t kTopDisable = 1;
constexpr uint32_t kTopSelectArg1 = 2;
constexpr uint32_t kTopModulate = 4;
constexpr uint32_t kTaDiffuse = 0;
constexpr uint32_t kTaTexture = 2;

constexpr uint32_t kClearTarget = 1;
constexpr uint32_t kClearZBuffer = 2;
constexpr uint32_t kClearStencil = 4;

enum class PrimitiveType : uint32_t { LineList = 2, TriangleList = 4 };

constexpr uint32_t kFvfXyz = 0x002;
constexpr uint32_t kPoolManaged = 1;
constexpr uint32_t kLockReadOnly = 0x10;

constexpr uint32_t kTextNoClip = 0x100;
constexpr uint32_t kTextCalcRect = 0x400;  // draw nothing; answer the height the text would take

// Device set-up (the stand-in for the display adapter and its device creation).
constexpr uint32_t kDevCapsHwTransformAndLight = 0x10000;
constexpr uint32_t kCreateSoftwareVertexProcessing = 0x20;
constexpr uint32_t kCreateHardwareVertexProcessing = 0x40;
constexpr uint32_t kFormatA8R8G8B8 = 21;
constexpr uint32_t kFormatD24S8 = 75;
constexpr uint32_t kMultisample2Samples = 2;
constexpr uint32_t kSwapEffectDiscard = 1;
constexpr uint32_t kPresentIntervalImmediate = 0x80000000u;

struct DeviceCaps {
    uint32_t devCaps;
};

struct DisplayMode {
    uint32_t width, height, refreshRate, format;
};

struct PresentParameters {
    uint32_t backBufferWidth;
    uint32_t backBufferHeight;
    uint32_t backBufferFormat;
    uint32_t backBufferCount;
    uint32_t multiSampleType;
    uint32_t multiSampleQuality;
    uint32_t swapEffect;
    void* deviceWindow;  // the platform Window*
    bool windowed;
    bool enableAutoDepthStencil;
    uint32_t autoDepthStencilFormat;
    uint32_t flags;
    uint32_t fullScreenRefreshRate;
    uint32_t presentationInterval;
};

struct FontDesc {
    int32_t height;
    uint32_t width;
    uint32_t weight;
    uint32_t mipLevels;
    bool italic;
    uint8_t charSet;
    char faceName[32];
};

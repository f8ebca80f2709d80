#include <gtest/gtest.h>

#include <climits>

#include "graphics/FloorGrid.h"
#include "platform/RecordingDevice.h"
#include "shell/GameState.h"

namespace {

class FloorGridTest : public ::testing::Test {
protected:
    void TearDown() override { g_gridVertexBuffer.reset(); }

    std::vector<float> GridFloats() const {
        auto* buffer = dynamic_cast<RecordingVertexBuffer*>(g_gridVertexBuffer.get());
        return buffer ? buffer->Floats() : std::vector<float>{};
    }

    RecordingDevice device;
};

// Vertex v of the buffer as (x, y, z).
Vec3 VertexAt(const std::vector<float>& floats, size_t v) {
    return Vec3(floats.at(3 * v), floats.at(3 * v + 1), floats.at(3 * v + 2));
}

}  // namespace

TEST_F(FloorGridTest, DefaultGridHasLinesEveryTenUnitsInBuildOrder) {
    FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, 11, 11);
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"CreateVertexBuffer(528, 0, 0x00000002, 1)",
                                                       "Lock(vb1, 0, 528, 0x00000000)", "Unlock(vb1)"}));
    const std::vector<float> floats = GridFloats();
    ASSERT_EQ(floats.size(), 44u * 3);
    for (int i = 0; i < 11; ++i) {
        const float at = 10.0f * static_cast<float>(i);
        EXPECT_EQ(VertexAt(floats, 2 * i), Vec3(at, 0, 0)) << i;
        EXPECT_EQ(VertexAt(floats, 2 * i + 1), Vec3(at, 100, 0)) << i;
        EXPECT_EQ(VertexAt(floats, 22 + 2 * i), Vec3(0, at, 0)) << i;
        EXPECT_EQ(VertexAt(floats, 22 + 2 * i + 1), Vec3(100, at, 0)) << i;
    }
}

TEST_F(FloorGridTest, YExtentComesBeforeXExtentAndCountsMayDiffer) {
    // A level 3 tiles wide and 2 high: (10*height, 10*width, z, width + 1, height + 1).
    FloorGrid grid(&device, 20.0f, 30.0f, 0.5f, 4, 3);
    const std::vector<float> floats = GridFloats();
    ASSERT_EQ(floats.size(), 14u * 3);
    EXPECT_EQ(VertexAt(floats, 0), Vec3(0, 0, 0.5f));
    EXPECT_EQ(VertexAt(floats, 1), Vec3(0, 20, 0.5f));
    EXPECT_EQ(VertexAt(floats, 6), Vec3(30, 0, 0.5f));
    EXPECT_EQ(VertexAt(floats, 7), Vec3(30, 20, 0.5f));
    EXPECT_EQ(VertexAt(floats, 8), Vec3(0, 0, 0.5f));
    EXPECT_EQ(VertexAt(floats, 10), Vec3(0, 10, 0.5f));
    EXPECT_EQ(VertexAt(floats, 13), Vec3(30, 20, 0.5f));
}

TEST_F(FloorGridTest, LastLineLandsExactlyOnTheFarEdge) {
    for (int tiles : {1, 3, 7, 13, 49, 97}) {
        FloorGrid grid(&device, 10.0f * tiles, 10.0f * tiles, 0.0f, tiles + 1, tiles + 1);
        const std::vector<float> floats = GridFloats();
        ASSERT_EQ(floats.size(), 4u * (tiles + 1) * 3);
        EXPECT_EQ(VertexAt(floats, 2 * tiles), Vec3(10.0f * tiles, 0, 0)) << tiles;
        EXPECT_EQ(VertexAt(floats, floats.size() / 3 - 1), Vec3(10.0f * tiles, 10.0f * tiles, 0)) << tiles;
    }
}

TEST_F(FloorGridTest, ConstructorWritesBlackMaterialAndDrawUsesIt) {
    g_gridMaterial = Material{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, 7.0f};
    FloorGrid grid(&device, 10.0f, 10.0f, 0.0f, 2, 2);
    const Color4 black(0, 0, 0, 1);
    EXPECT_EQ(g_gridMaterial.diffuse, black);
    EXPECT_EQ(g_gridMaterial.ambient, black);
    EXPECT_EQ(g_gridMaterial.specular, black);
    EXPECT_EQ(g_gridMaterial.emissive, black);
    EXPECT_EQ(g_gridMaterial.power, 1.0f);

    device.ClearCalls();
    grid.Draw();
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{
                                  "SetMaterial(" + FormatMaterial(g_gridMaterial) + ")",
                                  "SetStreamSource(0, vb1, 0, 12)",
                                  "SetFVF(0x00000002)",
                                  "DrawPrimitive(LineList, 0, 4)",
                              }));
}

TEST_F(FloorGridTest, RebuildReplacesTheOneBuffer) {
    FloorGrid first(&device, 100.0f, 100.0f, 0.0f, 11, 11);
    FloorGrid second(&device, 10.0f, 20.0f, 0.0f, 3, 2);
    device.ClearCalls();
    second.Draw();
    EXPECT_EQ(device.Lines({"SetStreamSource", "DrawPrimitive"}),
              (std::vector<std::string>{"SetStreamSource(0, vb2, 0, 12)", "DrawPrimitive(LineList, 0, 5)"}));
    EXPECT_EQ(GridFloats().size(), 10u * 3);
}

TEST_F(FloorGridTest, UnbuildableSizesFailWithoutCreatingAnythingAndDrawNothing) {
    struct Case {
        int32_t xLines, yLines;
    };
    // Too few lines to space, negative counts, and sizes whose buffer would be far too large
    // (the sum of INT_MAX counts also overflows 32-bit arithmetic).
    for (const Case c : {Case{1, 11}, Case{11, 1}, Case{0, 0}, Case{-4, 11}, Case{INT_MAX, INT_MAX},
                         Case{3'000'000, 3'000'000}, Case{INT_MIN, 5}}) {
        device.ClearCalls();
        FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, c.xLines, c.yLines);
        EXPECT_EQ(grid.BuildVertexBuffer(), 1) << c.xLines << " " << c.yLines;
        grid.Draw();
        EXPECT_TRUE(device.Lines().empty()) << c.xLines << " " << c.yLines;
        EXPECT_EQ(g_gridVertexBuffer, nullptr);
    }
}

TEST_F(FloorGridTest, DeviceFailuresFailTheBuildAndDrawNothing) {
    for (const char* failing : {"CreateVertexBuffer", "Lock"}) {
        device.FailCall(failing, kErrOutOfVideoMemory, 1);
        FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, 11, 11);
        EXPECT_EQ(g_gridVertexBuffer, nullptr) << failing;
        device.ClearCalls();
        grid.Draw();
        EXPECT_TRUE(device.Lines().empty()) << failing;
        EXPECT_EQ(grid.BuildVertexBuffer(), 0) << failing;  // the failure was a one-off
    }
}

TEST_F(FloorGridTest, DrawStopsAtTheFirstFailingSetUpCall) {
    FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, 11, 11);
    device.ClearCalls();
    device.FailCall("SetStreamSource", kErrInvalidCall, 1);
    grid.Draw();
    EXPECT_EQ(device.Lines({"SetFVF", "DrawPrimitive"}), std::vector<std::string>{});
    device.ClearCalls();
    device.FailCall("SetFVF", kErrInvalidCall, 1);
    grid.Draw();
    EXPECT_EQ(device.Lines({"SetStreamSource", "SetFVF", "DrawPrimitive"}).size(), 2u);
}

TEST_F(FloorGridTest, NullDeviceBuildsAndDrawsNothing) {
    FloorGrid grid(nullptr, 100.0f, 100.0f, 0.0f, 11, 11);
    EXPECT_EQ(grid.BuildVertexBuffer(), 1);
    grid.Draw();
    EXPECT_EQ(g_gridVertexBuffer, nullptr);
}

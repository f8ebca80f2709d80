#include <gtest/gtest.h>

#include <climits>

#include "state/FloorGrid.h"
#include "platform/RecordingDevice.h"
#include "state/GameState.h"

namespace {

class FloorGridTest : public ::testing::Test {
protected:
    // Vertex v of the grid's buffer as (x, y, z).
    Vec3 VertexAt(size_t v) const {
        const auto& f = dynamic_cast<RecordingVertexBuffer&>(*g_gridVertexBuffer).Floats();
        return Vec3(f.at(3 * v), f.at(3 * v + 1), f.at(3 * v + 2));
    }
    size_t VertexCount() const { return dynamic_cast<RecordingVertexBuffer&>(*g_gridVertexBuffer).Floats().size() / 3; }

    RecordingDevice device;
};

}  // namespace

// Lines across x first, then across y; the y extent comes first in the arguments, and the last
// line lands exactly on the far edge however many tiles there are. The grid is drawn black and
// does not glow. (How it is drawn is checked with the whole frame in scene_rendering_test.cpp.)
TEST_F(FloorGridTest, LinesRunEdgeToEdgeInBuildOrder) {
    struct Case {
        float sizeY, sizeX, z;
        int32_t xLines, yLines;
        std::vector<std::pair<size_t, Vec3>> vertices;
    } cases[] = {
        {100, 100, 0, 11, 11, {{0, {0, 0, 0}}, {1, {0, 100, 0}}, {20, {100, 0, 0}}, {22, {0, 0, 0}}, {25, {100, 10, 0}}, {43, {100, 100, 0}}}},
        {20, 30, 0.5f, 4, 3, {{1, {0, 20, 0.5f}}, {6, {30, 0, 0.5f}}, {7, {30, 20, 0.5f}}, {10, {0, 10, 0.5f}}, {13, {30, 20, 0.5f}}}},
        {970, 970, 0, 98, 98, {{194, {970, 0, 0}}, {391, {970, 970, 0}}}},
        {130, 130, 0, 14, 14, {{26, {130, 0, 0}}, {55, {130, 130, 0}}}},
    };
    g_gridMaterial.emissive = g_gridMaterial.ambient = Color4(1, 1, 1, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xLines);
        FloorGrid grid(&device, c.sizeY, c.sizeX, c.z, c.xLines, c.yLines);
        ASSERT_EQ(VertexCount(), 2u * (c.xLines + c.yLines));
        for (const auto& [v, at] : c.vertices) EXPECT_EQ(VertexAt(v), at) << v;
    }
    const Color4 black(0, 0, 0, 1);
    EXPECT_TRUE(g_gridMaterial.diffuse == black && g_gridMaterial.ambient == black && g_gridMaterial.emissive == black);
}

TEST_F(FloorGridTest, UnbuildableSizesAndNoDeviceFailWithoutCreatingAnythingAndDrawNothing) {
    // Too few lines to space, negative counts, and sizes whose buffer would be far too large
    // (the sum of INT_MAX counts also overflows 32-bit arithmetic).
    for (const auto& [xLines, yLines] : {std::pair{1, 11}, {11, 1}, {0, 0}, {-4, 11}, {INT_MAX, INT_MAX},
                                        {3'000'000, 3'000'000}, {INT_MIN, 5}}) {
        device.ClearCalls();
        FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, xLines, yLines);
        EXPECT_EQ(grid.BuildVertexBuffer(), 1) << xLines << " " << yLines;
        grid.Draw();
        EXPECT_TRUE(device.Lines().empty()) << xLines << " " << yLines;
        EXPECT_EQ(g_gridVertexBuffer, nullptr);
    }
    FloorGrid grid(nullptr, 100.0f, 100.0f, 0.0f, 11, 11);
    EXPECT_EQ(grid.BuildVertexBuffer(), 1);
    grid.Draw();
    EXPECT_EQ(g_gridVertexBuffer, nullptr);
}

TEST_F(FloorGridTest, DeviceFailuresFailTheBuildOrStopTheDraw) {
    for (const char* failing : {"CreateVertexBuffer", "Lock"}) {
        device.FailCall(failing, kErrOutOfVideoMemory, 1);
        FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, 11, 11);
        EXPECT_EQ(g_gridVertexBuffer, nullptr) << failing;
        device.ClearCalls();
        grid.Draw();
        EXPECT_TRUE(device.Lines().empty()) << failing;
        EXPECT_EQ(grid.BuildVertexBuffer(), 0) << failing;  // the failure was a one-off
    }
    FloorGrid grid(&device, 100.0f, 100.0f, 0.0f, 11, 11);
    for (size_t calls : {1u, 2u}) {  // the failing call is the last one made
        device.ClearCalls();
        device.FailCall(calls == 1 ? "SetStreamSource" : "SetFVF", kErrInvalidCall, 1);
        grid.Draw();
        EXPECT_EQ(device.Lines({"SetStreamSource", "SetFVF", "DrawPrimitive"}).size(), calls);
    }
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/GraphicsErrors.h"

namespace {
struct ErrorCase {
    int operation;
    Result result;
    const char* text;
};

class GraphicsErrors : public ::testing::Test {
protected:
    std::vector<std::string> shown;
    void SetUp() override {
        SetErrorBoxForTesting([this](const std::string& text) {
            shown.push_back(text);
            return 7;
        });
    }
    void TearDown() override { SetErrorBoxForTesting(nullptr); }
};
}  // namespace

TEST_F(GraphicsErrors, EveryOperationAndCodeShowsItsText) {
    const Result other = static_cast<Result>(0x80070057u);
    const ErrorCase cases[] = {
        {0, kErrInvalidCall, "Error calling GetDeviceCaps: Invalid call."},
        {0, kErrInvalidDevice, "Error calling GetDeviceCaps: Invalid device."},
        {0, kErrOutOfVideoMemory, "Error calling GetDeviceCaps: Out of video memory."},
        {0, kErrNotAvailable, "Error calling GetDeviceCaps: Not available."},
        {0, other, "Error calling GetDeviceCaps: Unknown error."},
        {0, kErrDeviceLost, "Error calling GetDeviceCaps: Unknown error."},
        {1, kErrInvalidCall, "Error calling GetDisplayMode: Invalid call."},
        {1, kErrNotAvailable, "Error calling GetDisplayMode: Unknown error."},
        {2, kErrInvalidCall, "Error calling CheckDeviceMultiSampleType: Invalid call."},
        {2, kErrInvalidDevice, "Error calling CheckDeviceMultiSampleType: Invalid device."},
        {2, kErrNotAvailable, "Error calling CheckDeviceMultiSampleType: Not available."},
        {2, kErrOutOfVideoMemory, "Error calling CheckDeviceMultiSampleType: Unknown error."},
        {3, kErrInvalidCall, "Error calling CreateDevice: Invalid call."},
        {3, kErrDeviceLost, "Error calling CreateDevice: Device was lost."},
        {3, kErrOutOfVideoMemory, "Error calling CreateDevice: Out of video memory."},
        {3, kErrNotAvailable, "Error calling CreateDevices: Not available."},
        {3, kFail, "Error calling CreateDevices: Unknown error."},
        {4, kErrInvalidCall, "Error calling Clear: Invalid call."},
        {4, kErrDeviceLost, "Error calling Clear: Unknown error."},
        {5, kErrInvalidCall, "Error calling Present: Invalid call."},
        {5, kErrDeviceLost, "Error calling Present: Device was lost."},
        {5, kErrDriverInternalError, "Error calling Present: An internal error occured within the driver."},
        {5, kErrNotAvailable, "Error calling Present: Unknown error."},
    };
    for (const ErrorCase& c : cases) {
        shown.clear();
        EXPECT_EQ(ReportGraphicsError(c.result, c.operation), 7) << c.text;
        EXPECT_EQ(shown, std::vector<std::string>{c.text}) << "operation " << c.operation << " code " << std::hex << c.result;
    }
}

TEST_F(GraphicsErrors, UnknownOperationShowsNothingAndReturnsItsCode) {
    EXPECT_EQ(ReportGraphicsError(kErrInvalidCall, 6), 6);
    EXPECT_EQ(ReportGraphicsError(kErrDeviceLost, 42), 42);
    EXPECT_TRUE(shown.empty());
}

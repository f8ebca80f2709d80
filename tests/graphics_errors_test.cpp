#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/GraphicsErrors.h"

// Each operation knows its own codes; any other code is "Unknown error."; an operation beyond
// the table shows nothing and returns its own number.
TEST(GraphicsErrors, EveryOperationAndCodeShowsItsText) {
    std::vector<std::string> shown;
    SetErrorBoxForTesting([&](const std::string& text) {
        shown.push_back(text);
        return 7;
    });
    const Result other = static_cast<Result>(0x80070057u);
    const struct {
        int operation;
        Result result;
        const char* text;
    } cases[] = {
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
        {6, kErrInvalidCall, nullptr},
        {42, kErrDeviceLost, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "operation " << c.operation << " code " << std::hex << c.result);
        shown.clear();
        EXPECT_EQ(ReportGraphicsError(c.result, c.operation), c.text ? 7 : c.operation);
        EXPECT_EQ(shown, c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{});
    }
    SetErrorBoxForTesting(nullptr);
}

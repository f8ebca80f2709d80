#include "graphics/GraphicsErrors.h"

#include "platform/MessageBox.h"

namespace {
std::function<int(const std::string&)> g_errorBoxOverride;

const char* GetDeviceCapsText(Result r) {
    switch (r) {
        case kErrInvalidCall: return "Error calling GetDeviceCaps: Invalid call.";
        case kErrInvalidDevice: return "Error calling GetDeviceCaps: Invalid device.";
        case kErrOutOfVideoMemory: return "Error calling GetDeviceCaps: Out of video memory.";
        case kErrNotAvailable: return "Error calling GetDeviceCaps: Not available.";
        default: return "Error calling GetDeviceCaps: Unknown error.";
    }
}

const char* GetDisplayModeText(Result r) {
    if (r == kErrInvalidCall) return "Error calling GetDisplayMode: Invalid call.";
    return "Error calling GetDisplayMode: Unknown error.";
}

const char* CheckMultiSampleText(Result r) {
    switch (r) {
        case kErrInvalidCall: return "Error calling CheckDeviceMultiSampleType: Invalid call.";
        case kErrInvalidDevice: return "Error calling CheckDeviceMultiSampleType: Invalid device.";
        case kErrNotAvailable: return "Error calling CheckDeviceMultiSampleType: Not available.";
        default: return "Error calling CheckDeviceMultiSampleType: Unknown error.";
    }
}

// The plural "CreateDevices" in the last two texts is how the game has always worded them.
const char* CreateDeviceText(Result r) {
    switch (r) {
        case kErrInvalidCall: return "Error calling CreateDevice: Invalid call.";
        case kErrDeviceLost: return "Error calling CreateDevice: Device was lost.";
        case kErrOutOfVideoMemory: return "Error calling CreateDevice: Out of video memory.";
        case kErrNotAvailable: return "Error calling CreateDevices: Not available.";
        default: return "Error calling CreateDevices: Unknown error.";
    }
}

const char* ClearText(Result r) {
    if (r == kErrInvalidCall) return "Error calling Clear: Invalid call.";
    return "Error calling Clear: Unknown error.";
}

const char* PresentText(Result r) {
    switch (r) {
        case kErrInvalidCall: return "Error calling Present: Invalid call.";
        case kErrDeviceLost: return "Error calling Present: Device was lost.";
        case kErrDriverInternalError:
            return "Error calling Present: An internal error occured within the driver.";
        default: return "Error calling Present: Unknown error.";
    }
}
}  // namespace

std::string GraphicsErrorText(Result result, int operation) {
    switch (operation) {
        case kOpGetDeviceCaps: return GetDeviceCapsText(result);
        case kOpGetDisplayMode: return GetDisplayModeText(result);
        case kOpCheckDeviceMultiSampleType: return CheckMultiSampleText(result);
        case kOpCreateDevice: return CreateDeviceText(result);
        case kOpClear: return ClearText(result);
        case kOpPresent: return PresentText(result);
        default: return std::string();
    }
}

int ReportGraphicsError(Result result, int operation) {
    // Negative operation codes are as unknown as those above 5.
    if (operation < 0 || operation > kOpPresent) return operation;
    return ShowErrorBox(GraphicsErrorText(result, operation));
}

int ShowErrorBox(const std::string& text) {
    if (g_errorBoxOverride) return g_errorBoxOverride(text);
    return ShowMessageBox("Error", text);
}

void SetErrorBoxForTesting(std::function<int(const std::string&)> box) {
    g_errorBoxOverride = std::move(box);
}

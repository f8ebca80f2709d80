#pragma once
#include <functional>
#include <string>

#include "platform/Result.h"

// The device calls whose failures have their own message texts.
enum GraphicsOperation : int {
    kOpGetDeviceCaps = 0,
    kOpGetDisplayMode = 1,
    kOpCheckDeviceMultiSampleType = 2,
    kOpCreateDevice = 3,
    kOpClear = 4,
    kOpPresent = 5,
};

// The message for a failed call of `operation` with `result`; empty for an operation above 5.
std::string GraphicsErrorText(Result result, int operation);

// Shows the message for (operation, result) and returns the message box's result; for an
// operation above 5 shows nothing and returns the operation itself.
int ReportGraphicsError(Result result, int operation);

// A modal message box captioned "Error" with an OK button; returns the box's result.
int ShowErrorBox(const std::string& text);

// Replaces the message box (tests record the texts instead); an empty function restores it.
void SetErrorBoxForTesting(std::function<int(const std::string&)> box);

#include "platform/DomKeys.h"

#include "platform/Keyboard.h"

int VirtualKeyFromDom(uint32_t keyCode) {
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9')) return static_cast<int>(keyCode);
    if (keyCode >= kVkF1 && keyCode < kVkF1 + 12) return static_cast<int>(keyCode);
    switch (keyCode) {
    case kVkEscape:
    case kVkSpace:
    case kVkPause:
    case kVkEnd:
    case 0x24:  // Home
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown:
    case 0x0D:  // Return
    case 0x09:  // Tab
    case 0x08:  // Backspace
        return static_cast<int>(keyCode);
    default:
        return 0;
    }
}

bool BrowserKeepsKey(int virtualKey) { return virtualKey > kVkF1 && virtualKey < kVkF1 + 12; }

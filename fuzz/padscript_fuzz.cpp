// Pad scripts as a tester might write them: any text is refused with a reason and the line at
// fault, or reads as events of known buttons and axes, in time order, with values in range.
#include <cstdlib>
#include <string>

#include "platform/GamePad.h"
#include "platform/PadScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<PadScriptEvent> events;
    int line = 0;
    std::string why;
    if (!ParsePadScript(text, &events, &line, &why)) {
        if (why.empty() || line < 1) std::abort();
        return 0;
    }
    if (events.size() > kPadScriptMaxEvents) std::abort();
    double last = 0.0;
    for (const PadScriptEvent& e : events) {
        const int count = e.button ? kPadButtonCount : kPadAxisCount;
        if (e.control < 0 || e.control >= count || e.at < last || !(e.value >= -1.0f && e.value <= 1.0f)) std::abort();
        last = e.at;
    }
    return 0;
}

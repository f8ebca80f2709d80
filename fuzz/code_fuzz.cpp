// Level codes as a player might paste them: any text is refused with a reason or decodes to a
// level text of at most 1 MiB that loads as a whole, whose own code decodes to the same text.
#include <cstdlib>
#include <string>

#include "authoring/LevelCode.h"
#include "level/Level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string code(reinterpret_cast<const char*>(data), size);
    std::string text, why;
    if (!DecodeLevelCode(code, &text, &why)) {
        if (why.empty()) std::abort();
        return 0;
    }
    if (text.size() > kMaxDecodedLevelBytes) std::abort();
    Level level(nullptr, nullptr);
    if (level.LoadText(text) != 0 || level.loadStop) std::abort();
    std::string again;
    if (!DecodeLevelCode(EncodeLevelCode(level), &again, &why) || again != text) std::abort();
    return 0;
}

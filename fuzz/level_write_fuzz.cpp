// Level texts that load completely, through the editor's writer: the written text loads without
// a stop, to a level the writer writes the same way again (the save round trip is a fixed point).
#include <cstdlib>
#include <string>

#include "level/Level.h"
#include "level/LevelWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Object counts past a few thousand only make the harness slow.
    if (size > 65536) return 0;
    Level level(nullptr, nullptr);
    if (level.LoadText(std::string(reinterpret_cast<const char*>(data), size)) != 0 || level.loadStop) return 0;
    const std::string written = LevelText(level);
    Level reloaded(nullptr, nullptr);
    if (reloaded.LoadText(written) != 0 || reloaded.loadStop) std::abort();
    if (LevelText(reloaded) != written || reloaded.objects.size() != level.objects.size()) std::abort();
    return 0;
}

// Level files as the game loads them.
#include "FuzzInput.h"
#include "level/Level.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Level level(nullptr, nullptr, InputFile(data, size, "level.txt"));
    return 0;
}

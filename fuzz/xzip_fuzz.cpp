// Compressed .x model files: the first byte picks text (odd) or binary (even) tokens inside; the
// rest is the file after its header (the declared size, then the blocks).
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    return ImportModelInput(data[0] & 1 ? "xof 0303tzip0032" : "xof 0303bzip0032", data + 1, size - 1);
}

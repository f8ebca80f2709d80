// Binary .x model files: the input is the file after its header.
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { return ImportModelInput("xof 0303bin 0032", data, size); }

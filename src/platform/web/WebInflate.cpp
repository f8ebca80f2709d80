// The browser build has no zlib (Emscripten's zlib is a port fetched from the network, and
// nothing is downloaded at build time), so compressed .x files are refused there with the
// loader's usual reason; the shipped models are all uncompressed.
#include "platform/Inflate.h"

bool InflateRaw(const unsigned char*, size_t, const unsigned char*, size_t, unsigned char*, size_t) { return false; }

// Without zlib the stream is left to the image decoder's own checks; the page's textures are the
// shipped ones.
ZlibStream CheckZlibStream(const std::string&) { return ZlibStream::kWhole; }

#pragma once
#include <cstddef>
#include <string>

// Inflates one raw deflate stream (no zlib header or trailer) that must give exactly `outSize`
// bytes into `out`, reading back into `history` (the bytes that came just before, up to 32 KiB
// of them are used) for matches that reach before the stream's start. False when the stream is
// broken, ends early or gives more than `outSize` bytes; `out` then holds garbage. Bytes after
// the stream's end are ignored. Nothing is allocated beyond the inflater's own fixed state.
bool InflateRaw(const unsigned char* in, size_t inSize, const unsigned char* history, size_t historySize,
                unsigned char* out, size_t outSize);

// What a zlib stream (header, deflate data, checksum) amounts to when inflated to its end.
enum class ZlibStream { kWhole, kEndsEarly, kBroken };
ZlibStream CheckZlibStream(const std::string& stream);

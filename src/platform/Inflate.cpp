#include "platform/Inflate.h"

#include <zlib.h>

#include <climits>

bool InflateRaw(const unsigned char* in, size_t inSize, const unsigned char* history, size_t historySize,
                unsigned char* out, size_t outSize) {
    if (inSize > UINT_MAX || outSize > UINT_MAX) return false;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    constexpr size_t kWindow = size_t(1) << MAX_WBITS;
    if (historySize > kWindow) {
        history += historySize - kWindow;
        historySize = kWindow;
    }
    bool ok = historySize == 0 || inflateSetDictionary(&stream, history, uInt(historySize)) == Z_OK;
    stream.next_in = const_cast<unsigned char*>(in);
    stream.avail_in = uInt(inSize);
    stream.next_out = out;
    stream.avail_out = uInt(outSize);
    // The whole output buffer is given at once, so one call either ends the stream or fails.
    ok = ok && inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.avail_out == 0;
    inflateEnd(&stream);
    return ok;
}

ZlibStream CheckZlibStream(const std::string& data) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return ZlibStream::kBroken;
    unsigned char scratch[16384];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    int result = Z_OK;
    // On while there is input, or output that did not fit.
    do {
        stream.next_out = scratch;
        stream.avail_out = sizeof scratch;
        result = inflate(&stream, Z_NO_FLUSH);
    } while (result == Z_OK && (stream.avail_in > 0 || stream.avail_out == 0));
    inflateEnd(&stream);
    // Z_BUF_ERROR: no progress possible, the input is used up before the stream's end.
    if (result == Z_STREAM_END) return ZlibStream::kWhole;
    return result == Z_OK || result == Z_BUF_ERROR ? ZlibStream::kEndsEarly : ZlibStream::kBroken;
}

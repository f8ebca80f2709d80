#include "resources/XFileCompressed.h"

#include <cstdint>

#include "platform/Inflate.h"

namespace {

constexpr size_t kHeaderBytes = 16;
// A block never inflates to more than the deflate window: each may refer back this far.
constexpr size_t kMaxBlockBytes = 32768;

uint32_t Le(const std::string& s, size_t at, int bytes) {
    uint32_t value = 0;
    for (int k = bytes - 1; k >= 0; --k) value = value << 8 | uint8_t(s[at + k]);
    return value;
}

bool Fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

}  // namespace

bool IsCompressedXFile(const std::string& file) {
    return file.size() >= kHeaderBytes && file.compare(0, 4, "xof ") == 0 &&
           (file.compare(8, 4, "tzip") == 0 || file.compare(8, 4, "bzip") == 0);
}

bool ExpandCompressedXFile(const std::string& file, size_t maxBytes, std::string* plain, std::string* error) {
    if (!IsCompressedXFile(file)) return Fail(error, "not a compressed .x file");
    if (file.size() < kHeaderBytes + 4) return Fail(error, "compressed data truncated");
    // Writers count the header in the declared size; a file that does not is still read.
    const uint32_t declared = Le(file, kHeaderBytes, 4);
    if (declared > maxBytes) return Fail(error, "declares " + std::to_string(declared) + " bytes inflated, more than " +
                                                    std::to_string(maxBytes));
    std::string out = file.substr(0, kHeaderBytes);
    out.replace(8, 4, file.compare(8, 4, "tzip") == 0 ? "txt " : "bin ");
    size_t body = 0;  // bytes inflated so far
    int block = 0;
    for (size_t at = kHeaderBytes + 4; at < file.size();) {
        if (file.size() - at < 4) return Fail(error, "compressed block header truncated");
        const size_t inflated = Le(file, at, 2), stored = Le(file, at + 2, 2);
        at += 4;
        if (stored > file.size() - at) return Fail(error, "compressed block truncated");
        if (stored < 2 || file.compare(at, 2, "CK") != 0) return Fail(error, "compressed block without its CK signature");
        if (inflated > kMaxBlockBytes) return Fail(error, "compressed block inflates to more than 32 KiB");
        if (inflated > declared - body) return Fail(error, "compressed blocks inflate to more than the declared size");
        out.resize(kHeaderBytes + body + inflated);
        auto* bytes = reinterpret_cast<unsigned char*>(out.data());
        const size_t history = body < kMaxBlockBytes ? body : kMaxBlockBytes;
        if (!InflateRaw(reinterpret_cast<const unsigned char*>(file.data()) + at + 2, stored - 2,
                        bytes + kHeaderBytes + body - history, history, bytes + kHeaderBytes + body, inflated))
            return Fail(error, "compressed block " + std::to_string(block) + " does not inflate");
        body += inflated;
        at += stored;
        ++block;
    }
    *plain = std::move(out);
    return true;
}

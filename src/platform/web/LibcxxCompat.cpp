#include "platform/web/LibcxxCompat.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace {
template <typename T>
std::to_chars_result Shortest(char* first, char* last, T value, int maxDigits) {
    char text[64];
    int length = 0;
    for (int digits = 1; digits <= maxDigits; ++digits) {
        length = std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        const T back = sizeof(T) == sizeof(float) ? static_cast<T>(std::strtof(text, nullptr))
                                                  : static_cast<T>(std::strtod(text, nullptr));
        if (back == value || value != value) break;
    }
    if (length < 0 || length > last - first) return {last, std::errc::value_too_large};
    std::memcpy(first, text, static_cast<size_t>(length));
    return {first + length, std::errc()};
}
}  // namespace

namespace std {
to_chars_result to_chars(char* first, char* last, float value) { return Shortest(first, last, value, 9); }
to_chars_result to_chars(char* first, char* last, double value) { return Shortest(first, last, value, 17); }
}  // namespace std
#endif

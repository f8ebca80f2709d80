#include "platform/web/LibcxxCompat.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
template <typename T>
std::from_chars_result Read(const char* first, const char* last, T& value) {
    // No leading space or plus sign, and no hexadecimal: from_chars takes neither.
    if (first == last || *first == '+' || *first == ' ' || (*first >= '\t' && *first <= '\r'))
        return {first, std::errc::invalid_argument};
    std::string text(first, last);
    const size_t digits = text[0] == '-' ? 1 : 0;
    if (text.size() > digits + 1 && text[digits] == '0' && (text[digits + 1] == 'x' || text[digits + 1] == 'X'))
        text.resize(digits + 1);
    char* stop = nullptr;
    errno = 0;
    const T read = sizeof(T) == sizeof(float) ? static_cast<T>(std::strtof(text.c_str(), &stop))
                                              : static_cast<T>(std::strtod(text.c_str(), &stop));
    if (stop == text.c_str()) return {first, std::errc::invalid_argument};
    const char* end = first + (stop - text.c_str());
    if (errno == ERANGE) return {end, std::errc::result_out_of_range};
    value = read;
    return {end, std::errc()};
}
}  // namespace

namespace std {
from_chars_result from_chars(const char* first, const char* last, float& value) { return Read(first, last, value); }
from_chars_result from_chars(const char* first, const char* last, double& value) { return Read(first, last, value); }
to_chars_result to_chars(char* first, char* last, float value) { return Shortest(first, last, value, 9); }
to_chars_result to_chars(char* first, char* last, double value) { return Shortest(first, last, value, 17); }
}  // namespace std
#endif

#pragma once
// Emscripten's C++ library (libc++ 14) lacks two C++20 pieces the game uses: std::bit_cast, and
// std::to_chars and std::from_chars for floating point. The browser build includes this header in every file.
#include <bit>
#include <charconv>

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace std {
// The shortest %g text that reads back as the same value.
to_chars_result to_chars(char* first, char* last, float value);
to_chars_result to_chars(char* first, char* last, double value);
// Reads a decimal number (an optional minus, digits, point, exponent, or inf or nan), as strtof
// reads it in the C locale, from the text between first and last.
from_chars_result from_chars(const char* first, const char* last, float& value);
from_chars_result from_chars(const char* first, const char* last, double& value);
}  // namespace std
#endif

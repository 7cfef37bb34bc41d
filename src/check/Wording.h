#pragma once

// Small helpers for the words of the findings.

#include <charconv>
#include <cstdio>
#include <string>

namespace check {

// printf-style formatting of a short detail (up to 511 bytes).
inline std::string Printf(const char* format, auto... arguments) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, arguments...);
    return buffer;
}

// A name or a path in double quotes, as the details show them.
inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// A number with `digits` decimals, or in its shortest form when `digits` is
// negative; always with a point, whatever the locale.
inline std::string Decimal(double value, int digits = -1) {
    char buffer[64];
    const auto result = digits < 0 ? std::to_chars(buffer, buffer + sizeof buffer, value)
                                   : std::to_chars(buffer, buffer + sizeof buffer, value,
                                                   std::chars_format::fixed, digits);
    std::string text(buffer, result.ptr);
    // A negative value that rounds to zero reads as zero.
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-')
        text.erase(0, 1);
    return text;
}

} // namespace check

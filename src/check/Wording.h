#pragma once

// Small helpers for the words of the findings.

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

} // namespace check

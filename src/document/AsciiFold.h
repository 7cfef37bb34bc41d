#pragma once

// Finding ASCII text in UTF-8 bytes with the case of ASCII letters ignored:
// every other byte is compared as it is.

#include <cstddef>
#include <string_view>

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// The first place at or after `from` where `needle` (ASCII in small letters,
// not empty) occurs in `field`; npos where it does not.
inline std::size_t FindAsciiFolded(std::string_view field, std::string_view needle,
                                   std::size_t from = 0) {
    const char first = needle.front();
    const char firstUpper = first >= 'a' && first <= 'z' ? static_cast<char>(first - 0x20) : first;
    for (std::size_t i = from; i + needle.size() <= field.size(); ++i) {
        if (field[i] != first && field[i] != firstUpper)
            continue;
        std::size_t j = 1;
        while (j < needle.size() && AsciiLower(field[i + j]) == needle[j])
            ++j;
        if (j == needle.size())
            return i;
    }
    return std::string_view::npos;
}

#pragma once

#include <cstdint>
#include <string>

// The number of words in a field: maximal runs of bytes other than space,
// carriage return and line feed. The character count of a field is its byte length.
std::int32_t CountWords(const std::string& value);

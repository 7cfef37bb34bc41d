#pragma once

// Strings of the core: byte strings with an explicit length (UTF-8 inside the
// model), their length-prefixed form in files, and the conversion between the
// ANSI code page and UTF-8.

#include "support/tsStream.h"

#include <cstdint>
#include <string>

// One length-prefixed string field. ReadString leaves `destination` as it was
// on failure; a stored zero byte cuts the string, but the whole stored length
// is consumed.
std::int32_t ReadString(std::string& destination, tsInputStream& stream);
// The same, telling the content length stored in the field; more than the
// destination's length when a zero byte cut it. Left alone on failure.
std::int32_t ReadString(std::string& destination, tsInputStream& stream,
                        std::uint32_t& storedLength);
std::int32_t WriteString(const std::string& source, tsOutputStream& stream);

// ANSI code page to UTF-8 and back; characters the code page lacks become "?".
// Both leave `destination` as it was on failure.
std::int32_t AnsiToUtf8(std::string& destination, const std::string& source);
std::int32_t Utf8ToAnsi(std::string& destination, const std::string& source);

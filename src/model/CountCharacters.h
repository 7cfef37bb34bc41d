#pragma once

#include <cstdint>
#include <string>

// The characters of a text as a speaker or a subtitle counts them: Unicode
// code points of the stored UTF-8, line breaks (carriage return and line feed)
// not counted. Bytes that are not UTF-8 count one character per invalid
// sequence, as the decoder gives U+FFFD for each. The pace of a line (the
// characters per second of its recording) and the length limit given to
// translators both count this way.
std::uint64_t CountSpokenCharacters(const std::string& text);

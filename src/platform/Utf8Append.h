#pragma once

// Appends a code point to a UTF-8 string: the encoder that the conversions
// of this layer use, for callers that build UTF-8 one code point at a time.

#include <string>

namespace platform {

void AppendUtf8(std::string& out, char32_t cp);

} // namespace platform

#pragma once

#include <string>

// ANSI code page to UTF-8, for the strings of files of version 0 and 1. When the
// conversion fails, `destination` becomes a copy of `source`.
void ConvertLegacyText(std::string& destination, const std::string& source);

#pragma once

#include <string>

// The content of an XML text node for UTF-8 `text`, in Windows-1252 to match the
// document's declaration: markup characters and carriage returns as references,
// characters that the code page lacks as numeric character references, and
// characters that XML 1.0 forbids (and invalid UTF-8) as U+FFFD.
std::string EscapeXmlText(const std::string& text);

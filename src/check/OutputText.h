#pragma once

// Field texts in the forms lexarium-tool writes: JSON strings, one-line
// fields of tab-separated output, and CSV fields.

#include <string>
#include <string_view>

namespace check {

// `text` as a JSON string with its quotes. Valid UTF-8 goes out as it is;
// quotes, backslashes and control characters are escaped, and bytes that are
// not UTF-8 become U+FFFD, so that the output is always valid JSON.
std::string JsonString(const std::string& text);

// `text` for a field of a tab-separated line: control characters (tab, line
// breaks and the others) are shown as \t, \n, \r or \xHH, so that each
// record stays on one line; every other byte stays as it is.
std::string LineField(const std::string& text);

// `text` as a CSV field (RFC 4180): quoted, with quotes doubled, when it holds
// a comma, a quote, a carriage return or a line feed; otherwise as it is.
std::string CsvField(const std::string& text);
// The same, appended to `out`.
void AppendCsvField(std::string& out, std::string_view text);

} // namespace check

#pragma once

// What the exchange formats need to know of a stored text: whether it is
// UTF-8, which of its characters XML 1.0 cannot hold, whether it is an XML
// name token, and its line breaks.

#include <cstddef>
#include <string>
#include <string_view>

namespace exchange {

bool IsUtf8(std::string_view text);

// Whether XML 1.0 can hold the character: tab, LF, CR, U+0020 to U+D7FF,
// U+E000 to U+FFFD and above U+FFFF.
bool IsXmlCharacter(char32_t character);
// Whether every character of the (UTF-8) text is one XML 1.0 can hold.
bool HoldsOnlyXmlCharacters(std::string_view text);

// Whether the text is an NMTOKEN (XLIFF 2.0's ids): one or more name
// characters (letters, digits, '.', '-', '_', ':' and the other characters
// XML allows in names), no blanks, no '/'.
bool IsNameToken(std::string_view text);

// The text with every CR LF and every lone CR as LF, for comparing texts
// that tools may have rewritten.
std::string WithLfBreaks(std::string_view text);

// The form of line break that a stored text uses.
enum class LineBreaks {
    CrLf, // CR LF, or no line break at all (the editor stores typed breaks so)
    Lf,   // LF alone
};
LineBreaks LineBreaksOf(std::string_view text);
// `text` with each of its line breaks (CR LF, CR or LF) in the given form.
std::string WithLineBreaks(std::string_view text, LineBreaks form);

} // namespace exchange

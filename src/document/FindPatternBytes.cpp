// A literal find text looked for in the stored bytes, without decoding the
// field into text first. The find text is valid UTF-8 and the decoder starts a
// new character at every ASCII byte and every lead byte, so a byte match is
// always a whole run of characters, the same one the Unicode search finds.
// Where the bytes alone cannot tell (a whole-word test next to a byte beyond
// ASCII, a character that matches an ASCII letter when case is ignored), the
// field goes to the Unicode search instead.
#include "FindPattern.h"

#include "AsciiFold.h"

#include <cstring>

namespace {

enum class CharKind { Word, Other, Unknown };

// What the regular expression's \w says of the character at a byte, as far
// as one byte tells: for ASCII, letters, digits and the underscore.
CharKind KindAt(std::string_view field, std::size_t at) {
    const auto c = static_cast<unsigned char>(field[at]);
    if (c >= 0x80)
        return CharKind::Unknown;
    const bool word =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return word ? CharKind::Word : CharKind::Other;
}

bool HasCharsMatchingAscii(std::string_view field) {
    // The Kelvin sign matches k and the long s matches s when case is ignored.
    return field.find("\xE2\x84\xAA") != std::string_view::npos ||
           field.find("\xC5\xBF") != std::string_view::npos;
}

} // namespace

bool FindPattern::ByteMatches(std::string_view field, std::vector<FieldMatch>& matches) const {
    const bool ignoreCase = !m_options.matchCase;
    if (ignoreCase && m_foldsBeyondAscii && HasCharsMatchingAscii(field))
        return false;
    const std::string_view needle(m_needle);
    std::size_t at = 0;
    while (at + needle.size() <= field.size()) {
        const std::size_t hit =
            ignoreCase ? FindAsciiFolded(field, needle, at) : field.find(needle, at);
        if (hit == std::string_view::npos)
            break;
        const std::size_t end = hit + needle.size();
        if (m_options.wholeWords) {
            const CharKind before = hit == 0 ? CharKind::Other : KindAt(field, hit - 1);
            const CharKind after = end == field.size() ? CharKind::Other : KindAt(field, end);
            if (before == CharKind::Unknown || after == CharKind::Unknown) {
                matches.clear();
                return false;
            }
            if (before == CharKind::Word || after == CharKind::Word) {
                at = hit + 1;
                continue;
            }
        }
        matches.push_back({hit, end, m_replacement});
        at = end;
    }
    return true;
}

// Letter case folding of file names, for names that differ from the stored
// ones only in case, as they do after recordings were copied from Windows.

#include "audio/AudioLookup.h"
#include "platform/Win32CodePage.h"

namespace audio {

namespace {

char32_t FoldCodePoint(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE && c != 0xD7) // Latin-1 capitals, except the multiplication sign
        return c + 0x20;
    if (c >= 0x100 && c <= 0x17F) { // Latin Extended-A: capital and small in pairs
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool capital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return capital ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) // Greek capitals
        return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) // Cyrillic capitals
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

// Every folded letter lies below U+0800, as its capital does: two bytes.
void AppendTwoByteUtf8(std::string& out, char32_t c) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::string FoldCase(const std::string& utf8) {
    // Names are mostly ASCII: those are folded in place.
    std::size_t ascii = 0;
    while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80)
        ++ascii;
    if (ascii == utf8.size()) {
        std::string folded = utf8;
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 0x20);
        return folded;
    }
    std::string folded;
    folded.reserve(utf8.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    for (std::size_t i = 0; i < size;) {
        if (bytes[i] < 0x80) {
            const unsigned char c = bytes[i++];
            folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
            continue;
        }
        // Only two-byte sequences hold letters that fold here; everything else,
        // valid or not, is copied byte for byte.
        const platform::Utf8Sequence sequence = platform::DecodeUtf8(bytes + i, size - i);
        if (sequence.valid && sequence.length == 2)
            AppendTwoByteUtf8(folded, FoldCodePoint(sequence.character));
        else
            folded.append(utf8, i, sequence.length);
        i += sequence.length;
    }
    return folded;
}

} // namespace audio

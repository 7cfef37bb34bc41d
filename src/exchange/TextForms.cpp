#include "exchange/TextForms.h"

#include "platform/Win32CodePage.h"

namespace exchange {

namespace {

const unsigned char* Bytes(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// The name characters of XML 1.0 (fifth edition) beyond ASCII.
bool IsNameCharacter(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
        c == '-' || c == '_' || c == ':')
        return true;
    return c == 0xB7 || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) ||
           (c >= 0xF8 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C ||
           c == 0x200D || c == 0x203F || c == 0x2040 || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

} // namespace

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char byte = Bytes(text)[i];
        if (byte < 0x80) {
            ++i;
            continue;
        }
        const platform::Utf8Sequence sequence =
            platform::DecodeUtf8(Bytes(text) + i, text.size() - i);
        if (!sequence.valid)
            return false;
        i += sequence.length;
    }
    return true;
}

bool IsXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool HoldsOnlyXmlCharacters(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char byte = Bytes(text)[i];
        if (byte < 0x80) {
            if (!IsXmlCharacter(byte))
                return false;
            ++i;
            continue;
        }
        const platform::Utf8Sequence sequence =
            platform::DecodeUtf8(Bytes(text) + i, text.size() - i);
        if (!IsXmlCharacter(sequence.character))
            return false;
        i += sequence.length;
    }
    return true;
}

bool IsNameToken(std::string_view text) {
    if (text.empty())
        return false;
    std::size_t i = 0;
    while (i < text.size()) {
        const platform::Utf8Sequence sequence =
            platform::DecodeUtf8(Bytes(text) + i, text.size() - i);
        if (!sequence.valid || !IsNameCharacter(sequence.character))
            return false;
        i += sequence.length;
    }
    return true;
}

std::string WithLfBreaks(std::string_view text) {
    return WithLineBreaks(text, LineBreaks::Lf);
}

LineBreaks LineBreaksOf(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return LineBreaks::Lf;
    return LineBreaks::CrLf;
}

std::string WithLineBreaks(std::string_view text, LineBreaks form) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += form == LineBreaks::CrLf ? "\r\n" : "\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace exchange

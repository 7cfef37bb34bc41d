#include "model/XmlText.h"

#include "platform/Win32CodePage.h"

#include <cstddef>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// One UTF-8 character at `p`; an invalid sequence gives U+FFFD and one byte.
char32_t NextCharacter(const unsigned char* p, std::size_t left, std::size_t& used) {
    unsigned char b = p[0];
    used = 1;
    if (b < 0x80)
        return b;
    std::size_t need;
    char32_t cp;
    char32_t minimum;
    if ((b & 0xE0) == 0xC0) {
        need = 1;
        cp = b & 0x1F;
        minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        need = 2;
        cp = b & 0x0F;
        minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        need = 3;
        cp = b & 0x07;
        minimum = 0x10000;
    } else {
        return kReplacement;
    }
    if (left <= need)
        return kReplacement;
    for (std::size_t i = 1; i <= need; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return kReplacement;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    used = need + 1;
    return cp;
}

bool AllowedInXml(char32_t cp) {
    return cp == 0x09 || cp == 0x0A || cp == 0x0D || (cp >= 0x20 && cp <= 0xD7FF) ||
           (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

void AppendReference(std::string& out, char32_t cp) {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(cp));
    out += ';';
}

} // namespace

std::string EscapeXmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        std::size_t used = 1;
        char32_t cp = NextCharacter(bytes + i, n - i, used);
        i += used;
        if (!AllowedInXml(cp))
            cp = kReplacement;
        switch (cp) {
        case '&':
            out += "&amp;";
            continue;
        case '<':
            out += "&lt;";
            continue;
        case '>':
            out += "&gt;";
            continue;
        case '\r':
            // A parser turns a raw CR LF into LF; the reference survives.
            out += "&#13;";
            continue;
        default:
            break;
        }
        unsigned char byte;
        // The C1 range is written as references: parsers disagree on what the
        // five undefined bytes of Windows-1252 mean.
        if ((cp < 0x80 || cp > 0x9F) && platform::UnicodeToWindows1252(cp, byte))
            out.push_back(static_cast<char>(byte));
        else
            AppendReference(out, cp);
    }
    return out;
}

#include "model/XmlText.h"

#include "platform/Win32CodePage.h"

#include <cstddef>

namespace {

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
        const platform::Utf8Sequence sequence = platform::DecodeUtf8(bytes + i, n - i);
        char32_t cp = sequence.character;
        i += sequence.length;
        if (!AllowedInXml(cp))
            cp = 0xFFFD; // not allowed in XML
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

#include "check/OutputText.h"

#include "platform/Win32CodePage.h"

#include <array>
#include <cstdio>

namespace check {

namespace {

// The length of the valid UTF-8 sequence at `i`, or 0 when the bytes there are
// not one.
std::size_t Utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data()) + i;
    const platform::Utf8Sequence sequence = platform::DecodeUtf8(bytes, text.size() - i);
    return sequence.valid ? sequence.length : 0;
}

} // namespace

std::string JsonString(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text, i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

std::string LineField(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string CsvField(const std::string& text) {
    std::string out;
    AppendCsvField(out, text);
    return out;
}

void AppendCsvField(std::string& out, std::string_view text) {
    // One pass over the bytes with a table: find_first_of would look up each
    // byte in the set, and a script of a million lines spends its time here.
    static constexpr auto kQuoted = [] {
        std::array<bool, 256> quoted{};
        for (unsigned char c : {',', '"', '\r', '\n'})
            quoted[c] = true;
        return quoted;
    }();
    bool quote = false;
    for (char c : text)
        quote |= kQuoted[static_cast<unsigned char>(c)];
    if (!quote) {
        out += text;
        return;
    }
    // The runs between quotes go over whole; each quote is doubled.
    out += '"';
    for (std::size_t start = 0;;) {
        const std::size_t mark = text.find('"', start);
        if (mark == std::string_view::npos) {
            out.append(text, start);
            break;
        }
        out.append(text, start, mark + 1 - start);
        out += '"';
        start = mark + 1;
    }
    out += '"';
}

} // namespace check

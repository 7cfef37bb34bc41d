#include "DecodedField.h"

#include "platform/Win32CodePage.h"

DecodedField DecodeField(std::string_view bytes) {
    DecodedField field;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    field.text.reserve(static_cast<qsizetype>(size));
    field.byteAt.reserve(size + 1);
    for (std::size_t i = 0; i < size;) {
        const auto at = static_cast<std::uint32_t>(i);
        if (data[i] < 0x80) {
            field.text.append(QChar(char16_t(data[i])));
            field.byteAt.push_back(at);
            ++i;
            continue;
        }
        const platform::Utf8Sequence sequence = platform::DecodeUtf8(data + i, size - i);
        const char32_t character = sequence.valid ? sequence.character : char32_t(0xFFFD);
        if (character > 0xFFFF) {
            const char32_t c = character - 0x10000;
            field.text.append(QChar(char16_t(0xD800 + (c >> 10))));
            field.text.append(QChar(char16_t(0xDC00 + (c & 0x3FF))));
            field.byteAt.push_back(at);
            field.byteAt.push_back(at);
        } else {
            field.text.append(QChar(char16_t(character)));
            field.byteAt.push_back(at);
        }
        i += sequence.length;
    }
    field.byteAt.push_back(static_cast<std::uint32_t>(size));
    return field;
}

#include "model/CountCharacters.h"

#include "platform/Win32CodePage.h"

std::uint64_t CountSpokenCharacters(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::uint64_t characters = 0;
    std::size_t i = 0;
    while (i < size) {
        const unsigned char byte = p[i];
        if (byte < 0x80) {
            // ASCII, the common case, without the decoder.
            if (byte != '\r' && byte != '\n')
                ++characters;
            ++i;
            continue;
        }
        i += platform::DecodeUtf8(p + i, size - i).length;
        ++characters;
    }
    return characters;
}

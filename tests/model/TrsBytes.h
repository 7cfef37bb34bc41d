#pragma once

// Builds text resource files byte by byte, independently of the writer under test.

#include <cstdint>
#include <string>

namespace trsbytes {

inline const std::string kMagic("\x40\xF9\xB3\x0A\x62\x93\xD1\x11\x9A\x2B\x08\x00\x00\x30\x05\x12",
                                16);

inline std::string U32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i)));
    return bytes;
}

// A string field with a one-byte prefix (content under 255 bytes).
inline std::string Str(const std::string& content) {
    return std::string(1, static_cast<char>(content.size())) + content;
}

inline std::string Header(std::uint32_t version, std::uint32_t count) {
    return kMagic + U32(version) + U32(count);
}

} // namespace trsbytes

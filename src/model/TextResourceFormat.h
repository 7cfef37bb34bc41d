#pragma once

// Pieces of the text resource file layout shared by the reader and the writer.

#include "support/tsStream.h"

#include <cstdint>

namespace trs {

// {0AB3F940-9362-11D1-9A2B-080000300512} in its in-memory byte order.
inline constexpr unsigned char kMagic[16] = {0x40, 0xF9, 0xB3, 0x0A, 0x62, 0x93, 0xD1, 0x11,
                                             0x9A, 0x2B, 0x08, 0x00, 0x00, 0x30, 0x05, 0x12};

// Reads a little-endian 32-bit number into `value`; the bytes that arrive
// replace its low bytes, so a number with no bytes left keeps its value.
std::int32_t ReadUInt32(tsInputStream& stream, std::uint32_t& value);
std::int32_t WriteUInt32(tsOutputStream& stream, std::uint32_t value);

} // namespace trs

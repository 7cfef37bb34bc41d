#pragma once

// Pieces of the text resource file layout shared by the reader and the writer.

#include "support/tsStream.h"

#include <cstdint>
#include <string>

class TextResourceEntry;

namespace trs {

// {0AB3F940-9362-11D1-9A2B-080000300512} in its in-memory byte order.
inline constexpr unsigned char kMagic[16] = {0x40, 0xF9, 0xB3, 0x0A, 0x62, 0x93, 0xD1, 0x11,
                                             0x9A, 0x2B, 0x08, 0x00, 0x00, 0x30, 0x05, 0x12};

// The version that the writer stores.
inline constexpr std::uint32_t kCurrentVersion = 4;

// Reads a little-endian 32-bit number into `value`; the bytes that arrive
// replace its low bytes, so a number with no bytes left keeps its value.
std::int32_t ReadUInt32(tsInputStream& stream, std::uint32_t& value);
std::int32_t WriteUInt32(tsOutputStream& stream, std::uint32_t value);

// Writes the magic, the current version (only after the magic went out) and
// `count`; the result is that of writing the count.
std::int32_t WriteHeader(tsOutputStream& stream, std::uint32_t count);

// The fields of an entry record, in file order.
enum class Field { Id, Identifier, AudioFile, Text, Comment, Speaker, LengthMs };

// The field's name in the model ("id", "identifier", "audioFile", ...).
const char* FieldName(Field field);

// Told about each field as a record is read, for reports on damaged files.
class FieldObserver {
public:
    virtual ~FieldObserver() = default;
    virtual void BeforeField(Field field) = 0;
    // `storedLength` is the content length a string field declares, which is
    // more than the value's length when a zero byte cut it; 4 for numbers.
    virtual void AfterField(Field field, std::int32_t result, std::uint32_t storedLength,
                            const std::string* value) = 0;
};

// Reads the fields of a record laid out for `version` into `entry`; every field
// is read whatever became of the one before, and a field that cannot be read
// keeps its value. `observer` may be null.
void ReadFields(TextResourceEntry& entry, tsInputStream& stream, std::uint32_t version,
                FieldObserver* observer);

} // namespace trs

#include "model/TextResourceEntry.h"

#include "model/TextResourceFormat.h"
#include "support/tsResult.h"
#include "support/tstring.h"

#include <iterator>

namespace trs {

std::int32_t ReadUInt32(tsInputStream& stream, std::uint32_t& value) {
    unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    std::int32_t result = stream.Read(bytes, 4);
    value = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
            (static_cast<std::uint32_t>(bytes[2]) << 16) |
            (static_cast<std::uint32_t>(bytes[3]) << 24);
    return result;
}

std::int32_t WriteUInt32(tsOutputStream& stream, std::uint32_t value) {
    unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return stream.Write(bytes, 4);
}

std::int32_t WriteHeader(tsOutputStream& stream, std::uint32_t count) {
    if (tsSucceeded(stream.Write(kMagic, sizeof kMagic)))
        WriteUInt32(stream, kCurrentVersion);
    return WriteUInt32(stream, count);
}

const char* FieldName(Field field) {
    // In the order of the fields.
    static constexpr const char* kNames[] = {"id",      "identifier", "audioFile", "text",
                                             "comment", "speaker",    "lengthMs"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(Field::LengthMs) + 1);
    const auto index = static_cast<std::size_t>(field);
    return index < std::size(kNames) ? kNames[index] : "?";
}

namespace {

void ReadNumber(std::uint32_t& value, Field field, tsInputStream& stream, FieldObserver* observer) {
    if (observer == nullptr) {
        ReadUInt32(stream, value);
        return;
    }
    observer->BeforeField(field);
    std::int32_t result = ReadUInt32(stream, value);
    observer->AfterField(field, result, 4, nullptr);
}

void ReadText(std::string& value, Field field, tsInputStream& stream, FieldObserver* observer) {
    if (observer == nullptr) {
        ReadString(value, stream);
        return;
    }
    observer->BeforeField(field);
    std::uint32_t storedLength = 0;
    std::int32_t result = ReadString(value, stream, storedLength);
    observer->AfterField(field, result, storedLength, &value);
}

} // namespace

void ReadFields(TextResourceEntry& entry, tsInputStream& stream, std::uint32_t version,
                FieldObserver* observer) {
    // Every field is read whatever became of the one before: damage costs the
    // damaged fields, not the entry.
    ReadNumber(entry.id, Field::Id, stream, observer);
    ReadText(entry.identifier, Field::Identifier, stream, observer);
    ReadText(entry.audioFile, Field::AudioFile, stream, observer);
    ReadText(entry.text, Field::Text, stream, observer);
    if (version >= 1)
        ReadText(entry.comment, Field::Comment, stream, observer);
    if (version >= 3)
        ReadText(entry.speaker, Field::Speaker, stream, observer);
    if (version >= 4)
        ReadNumber(entry.lengthMs, Field::LengthMs, stream, observer);
}

} // namespace trs

std::int32_t TextResourceEntry::Read(tsInputStream& stream, std::uint32_t version) {
    trs::ReadFields(*this, stream, version, nullptr);
    return S_OK;
}

std::int32_t TextResourceEntry::Write(tsOutputStream& stream) {
    trs::WriteUInt32(stream, id);
    WriteString(identifier, stream);
    WriteString(audioFile, stream);
    WriteString(text, stream);
    WriteString(comment, stream);
    WriteString(speaker, stream);
    trs::WriteUInt32(stream, lengthMs);
    return S_OK;
}

bool TextResourceEntry::operator==(const TextResourceEntry& other) const {
    return id == other.id && identifier == other.identifier && audioFile == other.audioFile &&
           text == other.text && comment == other.comment && speaker == other.speaker &&
           lengthMs == other.lengthMs;
}

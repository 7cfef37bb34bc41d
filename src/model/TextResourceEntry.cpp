#include "model/TextResourceEntry.h"

#include "model/TextResourceFormat.h"
#include "support/tsResult.h"
#include "support/tstring.h"

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

} // namespace trs

std::int32_t TextResourceEntry::Read(tsInputStream& stream, std::uint32_t version) {
    ReadCountingFailures(stream, version);
    return S_OK;
}

std::uint32_t TextResourceEntry::ReadCountingFailures(tsInputStream& stream,
                                                      std::uint32_t version) {
    // Every field is read whatever became of the one before: damage costs the
    // damaged fields, not the entry.
    std::uint32_t failures = 0;
    auto count = [&failures](std::int32_t result) { failures += tsFailed(result) ? 1 : 0; };
    count(trs::ReadUInt32(stream, id));
    count(ReadString(identifier, stream));
    count(ReadString(audioFile, stream));
    count(ReadString(text, stream));
    if (version >= 1)
        count(ReadString(comment, stream));
    if (version >= 3)
        count(ReadString(speaker, stream));
    if (version >= 4)
        count(trs::ReadUInt32(stream, lengthMs));
    return failures;
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

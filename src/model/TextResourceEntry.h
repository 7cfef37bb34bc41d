#pragma once

// One entry of a text resource file. The five strings are byte strings holding
// UTF-8; lengths are byte counts.

#include "support/tsStream.h"

#include <cstdint>
#include <string>

// The words a new entry holds until the user writes its own: "UNBENANNT"
// (untitled) in the identifier; "leer" (empty) in the audio file, the text and
// the comment. Files keep them as the program has always written them: the
// plain-text export reads "leer" as no audio file, and the checks tell of an
// entry that still holds them. Kept in German on purpose.
inline constexpr const char kUntitledIdentifier[] = "UNBENANNT";
inline constexpr const char kEmptyPlaceholder[] = "leer";

class TextResourceEntry {
public:
    TextResourceEntry() = default;
    TextResourceEntry(const TextResourceEntry&) = default;
    TextResourceEntry(TextResourceEntry&&) = default;
    TextResourceEntry& operator=(const TextResourceEntry&) = default;
    TextResourceEntry& operator=(TextResourceEntry&&) = default;
    virtual ~TextResourceEntry() = default;

    // Fills the fields from a record laid out for `version`; a field that cannot
    // be read keeps its value. Always returns 0.
    virtual std::int32_t Read(tsInputStream& stream, std::uint32_t version);
    // Writes a current (version 4) record. Always returns 0.
    virtual std::int32_t Write(tsOutputStream& stream);
    // Writes the entry's XML element.
    virtual std::int32_t WriteXml(tsOutputStream& stream);

    bool operator==(const TextResourceEntry& other) const;

    std::uint32_t id = 0;
    std::string identifier = kUntitledIdentifier;
    std::string audioFile = kEmptyPlaceholder;
    std::string text = kEmptyPlaceholder;
    std::string comment = kEmptyPlaceholder;
    std::string speaker;
    std::uint32_t lengthMs = 0;
};

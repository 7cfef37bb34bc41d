#pragma once

// One entry of a text resource file. The five strings are byte strings holding
// UTF-8; lengths are byte counts.

#include "support/tsStream.h"

#include <cstdint>
#include <string>

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
    std::string identifier = "UNBENANNT";
    std::string audioFile = "leer";
    std::string text = "leer";
    std::string comment = "leer";
    std::string speaker;
    std::uint32_t lengthMs = 0;
};

#pragma once

// Entries and collections as the tests build them: each field a test names is
// set, the others keep the values of a new entry ("UNBENANNT", "leer", ...).
//
//     MakeEntry({.id = 7, .identifier = "GATE_GUARD", .text = "Halt!"})

#include "model/TextResourceObject.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The fields of an entry, in file order; designated initializers name them.
struct EntryFields {
    std::uint32_t id = 0;
    std::optional<std::string> identifier = std::nullopt;
    std::optional<std::string> audioFile = std::nullopt;
    std::optional<std::string> text = std::nullopt;
    std::optional<std::string> comment = std::nullopt;
    std::optional<std::string> speaker = std::nullopt;
    std::uint32_t lengthMs = 0;
};

inline TextResourceEntry MakeEntry(const EntryFields& fields) {
    TextResourceEntry entry;
    entry.id = fields.id;
    entry.identifier = fields.identifier.value_or(entry.identifier);
    entry.audioFile = fields.audioFile.value_or(entry.audioFile);
    entry.text = fields.text.value_or(entry.text);
    entry.comment = fields.comment.value_or(entry.comment);
    entry.speaker = fields.speaker.value_or(entry.speaker);
    entry.lengthMs = fields.lengthMs;
    return entry;
}

// A collection of these entries, in this order.
inline TextResourceObject MakeEntries(const std::vector<EntryFields>& entries) {
    TextResourceObject collection;
    for (const EntryFields& fields : entries)
        collection.AddEntry(MakeEntry(fields));
    return collection;
}

// A collection of one new entry per text.
inline TextResourceObject EntriesWithTexts(const std::vector<std::string>& texts) {
    TextResourceObject collection;
    for (const std::string& text : texts)
        collection.AddEntry(MakeEntry({.text = text}));
    return collection;
}

// Every field, as a failed comparison of entries shows them.
inline void PrintTo(const TextResourceEntry& entry, std::ostream* out) {
    *out << "{id " << entry.id << ", identifier \"" << entry.identifier << "\", audioFile \""
         << entry.audioFile << "\", text \"" << entry.text << "\", comment \"" << entry.comment
         << "\", speaker \"" << entry.speaker << "\", lengthMs " << entry.lengthMs << "}";
}

// The text fields of an entry that find and replace and the filter look at,
// named once, in the order the editor form shows them.
#pragma once

#include "model/TextResourceEntry.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <string>

enum class EntryField : std::uint8_t { Identifier, AudioFile, Text, Comment, Speaker };

constexpr std::array<EntryField, 5> kAllEntryFields = {EntryField::Identifier,
                                                       EntryField::AudioFile, EntryField::Text,
                                                       EntryField::Comment, EntryField::Speaker};

inline std::string& FieldOf(TextResourceEntry& entry, EntryField field) {
    switch (field) {
    case EntryField::Identifier:
        return entry.identifier;
    case EntryField::AudioFile:
        return entry.audioFile;
    case EntryField::Text:
        return entry.text;
    case EntryField::Comment:
        return entry.comment;
    case EntryField::Speaker:
        break;
    }
    return entry.speaker;
}

inline const std::string& FieldOf(const TextResourceEntry& entry, EntryField field) {
    return FieldOf(const_cast<TextResourceEntry&>(entry), field);
}

// The field's name as the dialogs show it.
inline const char* FieldName(EntryField field) {
    // In the order of the fields.
    constexpr const char* kNames[] = {"identifier", "audio file", "text", "comment", "speaker"};
    static_assert(std::size(kNames) == kAllEntryFields.size());
    const auto index = static_cast<std::size_t>(field);
    return index < std::size(kNames) ? kNames[index] : "speaker";
}

#pragma once

// One finding of the checks: what is wrong, where, and in words. The kinds
// and the words are the program's own; lexarium-tool prints them and the
// editor lists them, so both say the same.

#include <cstdint>
#include <string>

namespace check {

// The field of an entry that a finding is about, so that a window can put the
// focus there; None for the findings of the file or of the folder, and for
// those about the entry as a whole.
enum class Field { None, Id, Identifier, AudioFile, Text, Comment, Speaker, Length };

// What a finding belongs to. The findings come in this order: the file's,
// then the entries' by position, then those of entries of the reference file
// that the file lacks (by their position in the reference), then the
// folder's of recordings.
enum class Scope { File, Entry, Reference, Folder };

struct Finding {
    std::string kind; // "duplicate-id", "damaged", "missing-audio", ...
    Scope scope = Scope::File;
    // For an entry: its position in the collection (from 0), and its id and
    // identifier as they were checked; for an entry of the reference file,
    // the same of that entry in the reference.
    std::uint32_t position = 0;
    std::uint32_t id = 0;
    std::string identifier;
    Field field = Field::None;
    std::string detail; // what is wrong, in words

    bool OfEntry() const { return scope == Scope::Entry; }
    bool operator==(const Finding&) const = default;
};

} // namespace check

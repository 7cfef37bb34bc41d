// What the user typed into the tree's filter field: words that every shown
// entry must contain (ignoring letter case), and the prefixes that narrow it
// further: speaker:NAME (speaker:"Captain Vale" for a name with blanks), id:N
// and problem: (entries with a finding in the problems list).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct EntryFilterQuery {
    std::vector<std::string> words; // folded UTF-8, not empty
    std::string speaker;            // folded; empty: any speaker
    std::optional<std::uint32_t> id;
    bool noMatch = false; // an id that no entry can have (two different ones, not a number)
    bool problems = false;

    // Whether it looks at the fields' folded text (words, a speaker).
    bool NeedsIndex() const { return !noMatch && (!words.empty() || !speaker.empty()); }
    bool IsEmpty() const {
        return words.empty() && speaker.empty() && !id && !noMatch && !problems;
    }
};

EntryFilterQuery ParseEntryFilter(const QString& text);

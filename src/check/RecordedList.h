#pragma once

// The recorded list: next to mission.trs, mission.recorded.tsv tells which
// text each recording was made from. UTF-8, tab-separated, one header line,
// then one line per entry sorted by identifier in byte order, so that it
// diffs and merges well next to the .trs it belongs to. Tabs, line breaks and
// backslashes inside fields are written as \t, \n, \r and \\.

#include "model/TextResourceEntry.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace check {

inline constexpr std::string_view kRecordedListHeader =
    "identifier\tid\taudio file\ttext sha256\tlength ms\taudio sha256\trecorded";

struct RecordedLine {
    std::string identifier;
    std::uint32_t id = 0;
    std::string audioFile;
    std::string textSha256;     // of the text's stored bytes, lowercase hex
    std::uint32_t lengthMs = 0; // the recording's measured length
    std::string audioSha256;    // of the recording's file bytes, lowercase hex
    std::string recorded;       // UTC, as 2026-12-09T14:03:22Z

    // The day it was recorded, as the findings name it: 2026-12-09.
    std::string RecordedDay() const { return recorded.substr(0, 10); }
    bool operator==(const RecordedLine&) const = default;
};

// A line of the list that was not taken: its number from 1, and why.
struct RecordedListProblem {
    std::uint64_t line = 0;
    std::string reason;
};

struct RecordedList {
    std::vector<RecordedLine> lines; // in the order of the file
    std::vector<RecordedListProblem> problems;
};

// The list that belongs to a text resource file: its name without ".trs"
// (in any letter case) and ".recorded.tsv", or the whole name and
// ".recorded.tsv" when it does not end in ".trs".
std::string RecordedListPathFor(const std::string& trsPath);

// Reads the lines of a list. A line that is not as this program writes them
// (too few or too many fields, a number or a hash or a time that is not one, an
// identifier listed before) is left out and named in `problems`; so is the
// whole list when its first line is not the header.
RecordedList ParseRecordedList(std::string_view bytes);

enum class ListRead {
    Read,
    Missing, // there is no such file
    Failed,  // it is there but could not be read; see `reason`
};
// Reads and parses the list at `path` (only a regular file of at most 2 GiB).
ListRead ReadRecordedList(const std::string& path, RecordedList& list, std::string& reason);
// Reads the bytes of the same, for ParseRecordedList to parse elsewhere.
ListRead ReadRecordedListBytes(const std::string& path, std::string& bytes, std::string& reason);

// The list as written: the header, then the lines sorted by identifier.
std::string FormatRecordedList(const std::vector<RecordedLine>& lines);

// A field with tabs, line breaks and backslashes escaped, as the list and
// the tool's lines about identifiers write them.
std::string EscapeField(std::string_view field);

// The hash the list keeps of an entry's text.
std::string TextSha256(const TextResourceEntry& entry);

// `time` in UTC as the list writes it: 2026-12-09T14:03:22Z.
std::string FormatUtcTime(std::time_t time);

} // namespace check

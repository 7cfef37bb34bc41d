#pragma once

// The state of one entry's recording, as the editor tells it when the entry
// is selected: how long the recording found lasts, the pace of the text
// against it, and what the recorded list says of it. The same judgement as
// check's, for one entry.

#include "check/RecordedList.h"
#include "check/RecordingFactsCache.h"

#include <cstdint>
#include <optional>
#include <string>

namespace check {

struct RecordingState {
    enum class Listed {
        NoList,      // there is no recorded list
        NotListed,   // the list has no line for the identifier
        Shared,      // another entry has the identifier: the line tells of neither
        Unchanged,   // recorded from this text, and still the recording listed
        TextChanged, // the text is not the one recorded
        NewTake,     // the recording is not the one listed
    };

    std::string path; // the recording found
    bool readable = false;
    std::string error;              // why it does not decode
    std::optional<double> lengthMs; // its real length, when the format tells it
    std::uint64_t characters = 0;   // of the text, as the pace counts them
    // The pace and, when it is above the limit, the too-fast detail.
    std::optional<double> perSecond;
    std::optional<std::string> tooFast;
    Listed listed = Listed::NoList;
    std::string detail; // of TextChanged and NewTake, as check words them
    std::string recordedDay;
};

// Judges the recording found at `path` for `entry`. `line` is the recorded
// list's line for the identifier (null: none), `listed` whether there is a
// list at all, `shared` whether another entry has the same identifier.
RecordingState JudgeRecording(const TextResourceEntry& entry, const std::string& path,
                              const RecordingFacts& facts, bool listed, const RecordedLine* line,
                              bool shared, std::optional<double> maxCharactersPerSecond);

} // namespace check

#pragma once

// The checks of the recorded list: whether an entry's text is still the one
// its recording was made from (text-changed), and whether the recording
// found is still the one recorded (new-take). Only the plain recording is
// tracked; an entry whose identifier another entry shares is not, since a
// line of the list must name one entry.

#include "check/FactReaders.h"
#include "check/RecordedList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace check {

// The details of the two findings, as check and the editor's status line word them.
std::string TextChangedDetail(const RecordedLine& line);
std::string NewTakeDetail(const RecordedLine& line);

class RecordedChecks {
public:
    explicit RecordedChecks(std::shared_ptr<const RecordedList> list);

    // Every entry, in order: the line that names its identifier, or null.
    const RecordedLine* Line(const TextResourceEntry& entry);
    // The entry's plain recording, which `line` names, was handed to the
    // readers as `sequence`, with its hash asked for.
    void Found(std::size_t sequence, std::uint32_t position, const TextResourceEntry& entry,
               const RecordedLine& line, std::size_t findingIndex);
    // The findings with their places, once the readers measured the files.
    std::vector<std::pair<std::size_t, Finding>>
    Finish(const std::vector<FactReaders::Measured>& measured);

private:
    struct Pending {
        std::size_t sequence;
        std::uint32_t position;
        std::uint32_t id;
        const RecordedLine* line; // owned by m_list
        bool textChanged;
        std::size_t findingIndex;
    };

    std::shared_ptr<const RecordedList> m_list;
    // The listed identifiers, with the entries that have them so far.
    std::unordered_map<std::string_view, std::pair<const RecordedLine*, std::uint32_t>> m_lines;
    std::vector<Pending> m_pending;
};

} // namespace check

#pragma once

// The checks of the recorded list: whether an entry's text is still the one
// its recording was made from (text-changed), and whether the recording
// found is still the one recorded (new-take). Only the plain recording is
// tracked; an entry whose identifier another entry shares is not, since a
// line of the list must name one entry.
//
// The list may still be being read while the entries come (RecordedListSource.h):
// until it is there, every recording found is taken as one it may name, and
// the identifiers are looked up when the check finishes.

#include "check/FactReaders.h"
#include "check/RecordedList.h"
#include "check/RecordedListSource.h"

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
    explicit RecordedChecks(RecordedListSource list);

    // What the list says of an identifier, as far as it is read.
    struct Lookup {
        bool known = false;                 // false: the list is still being read
        const RecordedLine* line = nullptr; // when known: its line, or null
        bool MayBeListed() const { return !known || line != nullptr; }
    };

    // Every entry, in order: `firstOfIdentifier` is the position of the first
    // entry with its identifier, its own when none came before.
    void Seen(std::uint32_t position, std::uint32_t firstOfIdentifier);
    // The line of the entry's identifier, when the list is read already.
    Lookup Look(const TextResourceEntry& entry);
    // The entry's plain recording, which the list may name (`listed`, from
    // Look), was handed to the readers as `sequence`, with its hash asked for.
    void Found(std::size_t sequence, std::uint32_t position, std::uint32_t firstOfIdentifier,
               const TextResourceEntry& entry, const Lookup& listed, std::size_t findingIndex);
    // The findings with their places, once the readers measured the files.
    std::vector<std::pair<std::size_t, Finding>>
    Finish(const std::vector<FactReaders::Measured>& measured);

private:
    struct Pending {
        std::size_t sequence;
        std::uint32_t position;
        std::uint32_t firstOfIdentifier;
        std::uint32_t id;
        const RecordedLine* line; // owned by m_list; null: looked up in Finish
        std::size_t findingIndex;
        bool textChanged; // with `line`
        // While the line is not known: the identifier, in m_identifiers, and the text's hash.
        std::uint64_t identifierAt;
        std::uint32_t identifierLength;
        std::string textSha256;
    };

    // Once the list is read: its lines by identifier.
    const RecordedLine* Find(std::string_view identifier);
    void Index();

    RecordedListSource m_source;
    std::shared_ptr<const RecordedList> m_list; // null until it is read
    std::unordered_map<std::string_view, const RecordedLine*> m_lines;
    // The positions of first entries whose identifier another entry has too.
    std::vector<std::uint32_t> m_sharedFirsts;
    std::string m_identifiers; // of the recordings found before the list was read
    std::vector<Pending> m_pending;
};

} // namespace check

#pragma once

// What lexarium-tool record does to the recorded list (RecordedList.h): each
// entry whose recording is found gets a line when it has none; a line whose
// recording's bytes changed (a new take) is written again with the current
// text; a line whose recording is unchanged is left as it is, even when the
// text changed since, so that recording after every delivery never hides a
// stale recording. `again` writes the chosen entries with the current text,
// which is how an audio lead accepts a recording for an edited text. Lines of
// identifiers the file no longer has are kept. Entries that share an
// identifier are not recorded: a line must name one entry.

#include "audio/AudioLookup.h"
#include "check/FactReaders.h"
#include "check/FirstSeen.h"
#include "check/RecordedList.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace check {

struct RecordSettings {
    std::string audioFolder;
    // The entries to record, by identifier; empty: all of them.
    std::set<std::string> identifiers;
    bool again = false;
};

struct RecordSummary {
    std::uint64_t added = 0;
    std::uint64_t newTake = 0;
    std::uint64_t unchanged = 0;
    std::uint64_t textChanged = 0; // with `again`: accepted for the current text
    std::uint64_t notFound = 0;
    std::uint64_t sharedIdentifier = 0; // entries
    std::uint64_t notInFile = 0;        // lines
    std::vector<std::string> shared;    // the identifiers, each once, in file order
    std::vector<std::string> gone;      // identifiers of the lines not in the file
    // Recordings found but not read (not a regular file any more, too big):
    // their paths and why.
    std::vector<std::pair<std::string, std::string>> unread;
    // Identifiers chosen that no entry has.
    std::vector<std::string> unknown;
};

class Recorder {
public:
    // `expectedEntries` sizes the tables.
    explicit Recorder(RecordSettings settings, std::size_t expectedEntries = 1024);

    // Every entry of the file, in order.
    void Add(const TextResourceEntry& entry);
    // The lines to write: the list's `lines` (as read, which may have been
    // meanwhile) with the changes, once every entry was added. The lines
    // written anew say they were recorded at `recordedTime`, as the list
    // writes a time.
    std::vector<RecordedLine> Finish(std::vector<RecordedLine> lines,
                                     const std::string& recordedTime, RecordSummary& summary);

private:
    struct Pending {
        std::string identifier;
        std::uint32_t id;
        std::uint32_t firstOfIdentifier; // the position of the first entry with it
        std::string audioFile;
        std::string textSha256;
        std::string path;         // empty: not found
        std::size_t sequence = 0; // at the readers, when found
    };

    RecordSettings m_settings;
    std::string m_missionFolder; // as the lookup repairs it
    audio::AudioLocator m_locator{true};
    FactReaders m_readers{nullptr, FactReaders::Judging::MeasuringOnly()};
    FirstSeenTexts m_identifiers; // of every entry
    std::uint32_t m_entries = 0;
    // The positions of first entries whose identifier another entry has too.
    std::vector<std::uint32_t> m_sharedFirsts;
    std::vector<Pending> m_pending;
};

} // namespace check

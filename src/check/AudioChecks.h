#pragma once

// The checks against a folder of recordings, the mission folder: the
// editor's own lookup finds each entry's recording and its female take,
// libsndfile tells whether a found file decodes and how long it is, and the
// audio files that no entry reaches are listed.

#include "audio/AudioLookup.h"
#include "check/CheckOptions.h"
#include "check/FactReaders.h"
#include "check/Findings.h"
#include "check/FirstSeen.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace check {

class RecordedChecks;

class AudioChecks {
public:
    // The recordings are looked up in the options' audio folder (an empty
    // one is the current folder, as for listen); the pace of the lines and
    // the levels are judged as the options say, and the texts and plain
    // recordings compared with the recorded list when the options have one.
    // Once `cancel` (not owned; may be null) is set, the work still waiting
    // is dropped.
    AudioChecks(const CheckOptions& options, const std::atomic<bool>* cancel);
    ~AudioChecks();

    // Looks the entry's recordings up. What libsndfile tells of the files
    // found is read by helpers meanwhile, and its findings are put in where
    // they belong when the check finishes. `firstOfIdentifier` is the
    // position of the first entry with the same identifier (its own when none
    // came before).
    void Check(std::uint32_t position, std::uint32_t firstOfIdentifier,
               const TextResourceEntry& entry, Findings& findings);
    // Adds the findings of the files found, then the audio files below the
    // folder that no entry's plain or female name reached.
    void Finish(Findings& findings);

private:
    audio::AudioLookupResult Find(const TextResourceEntry& entry, bool female);
    // `firstOfIdentifier` is set for the plain recording when there is a recorded list.
    void Found(std::uint32_t position, const TextResourceEntry& entry,
               const audio::AudioLookupResult& found, bool female,
               std::optional<std::uint32_t> firstOfIdentifier, Findings& findings);
    void AddUnused(Findings& findings) const;
    // The pace against the stored length, for an entry without a recording.
    void CheckStoredPace(std::uint32_t position, const TextResourceEntry& entry,
                         Findings& findings) const;

    std::string m_folder;              // as given
    std::string m_missionFolder;       // as the lookup repairs it
    const std::atomic<bool>* m_cancel; // not owned; may be null
    std::optional<double> m_maxCharactersPerSecond;
    audio::AudioLocator m_locator{true};
    FirstSeenTexts m_reached{1024}; // the files found, as lexically normal paths
    FactReaders m_facts;
    std::unique_ptr<RecordedChecks> m_recorded; // null: no recorded list
};

} // namespace check

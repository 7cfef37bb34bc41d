#pragma once

// The checks of lexarium-tool check against a folder of recordings, which
// plays the mission folder: the editor's own lookup finds each entry's
// recording and its female take, libsndfile tells whether a found file decodes
// and how long it is, and the audio files that no entry reaches are listed.

#include "AudioFacts.h"
#include "Findings.h"
#include "FirstSeen.h"
#include "audio/AudioLookup.h"

#include <string>
#include <vector>

class AudioChecks {
public:
    explicit AudioChecks(std::string folder);

    // Looks the entry's recordings up. What libsndfile tells of the files
    // found is asked for in batches, on all processors, and its findings are
    // put in where they belong.
    void Check(std::uint32_t position, const TextResourceEntry& entry, Findings& findings);
    // Finishes the last batch, then adds the audio files below the folder
    // that no entry's plain or female name reached.
    void Finish(Findings& findings);

private:
    // A found file whose facts are still to be read.
    struct Pending {
        std::string path;
        bool female = false;
        std::uint32_t position = 0;
        std::uint32_t id = 0;
        std::string identifier;
        std::uint32_t lengthMs = 0;
        std::size_t findingIndex = 0; // where its finding goes
    };

    void Found(std::uint32_t position, const TextResourceEntry& entry,
               const audio::AudioLookupResult& found, bool female, Findings& findings);
    void ReadPending(Findings& findings);
    void AddUnused(Findings& findings) const;

    std::string m_folder;        // as given
    std::string m_missionFolder; // as the lookup repairs it
    audio::AudioLocator m_locator{true};
    FirstSeenTexts m_reached{1024}; // the files found, as lexically normal paths
    std::vector<Pending> m_pending;
};

// Stored lengths may differ from the recordings' by this much.
inline constexpr double kLengthToleranceMs = 100.0;

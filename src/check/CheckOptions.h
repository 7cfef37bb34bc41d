#pragma once

// What a check looks at beyond the checks that always run (the damage the
// reader met, duplicate ids and identifiers, the placeholders of a new entry,
// empty texts), and how its caller follows and stops it.

#include "check/RecordedListSource.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TextResourceObject;

namespace check {

// The level checks of the recordings found.
struct LevelOptions {
    // Quiet (below -50 dBFS) longer than this at the start or the end of a
    // recording is a finding.
    double maxSilenceMs = 1000.0;
    // Integrated loudness (EBU R 128) is expected within `loudness` ±
    // `loudnessTolerance`.
    double loudness = -23.0;        // LUFS
    double loudnessTolerance = 3.0; // LU
};

struct CheckOptions {
    // The folder of recordings (the mission folder): each entry's recording
    // and female take are looked up in it as listen looks them up, what
    // libsndfile tells of the files found is judged, and its audio files that
    // no entry names are listed. An empty folder is the current folder, as
    // for listen. None: recordings are not checked.
    std::optional<std::string> audioFolder;

    // A reference file (another language of the same text) whose entries are
    // matched by identifier: what it has and the file lacks and the other way
    // round, texts left as the reference's, placeholders that differ. It must
    // outlive the check. Null: no reference.
    const TextResourceObject* reference = nullptr; // not owned

    // Characters per second above which a line is too fast to speak: the
    // text's characters against its recording's length, or the stored length
    // where no recording is found. None: the pace is not checked.
    std::optional<double> maxCharactersPerSecond;

    // Clipping, silence, loudness and the format of the recordings found:
    // each is decoded whole. Only with `audioFolder`. None: not measured.
    std::optional<LevelOptions> levels;

    // With the audio folder: the recorded list of the file (RecordedList.h),
    // against which each entry's text and recording are compared, read
    // already or still being read. None: they are not.
    RecordedListSource recorded;

    // The checks still to come bring their settings here, each off unless set.
};

// How the caller of a long check follows it and stops it. Both are used on
// the thread that runs the check.
struct CheckControl {
    // Told now and then how many entries are done of `total`.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
    std::uint64_t total = 0; // as the caller knows it; 0 when unknown
    // Looked at now and then: once it is set, the check stops and gives no
    // findings.
    const std::atomic<bool>* cancel = nullptr; // not owned; may be null
};

} // namespace check

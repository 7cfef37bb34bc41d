#pragma once

// Lines of the recorded list as record writes them, for tests that build a
// list by hand.

#include "check/RecordedList.h"
#include "check/Sha256.h"
#include "model/TextResourceEntry.h"

#include <cstdint>
#include <string>

// The line of an entry recorded from its text into a file with these bytes,
// lasting `lengthMs`.
inline check::RecordedLine ListedLine(const TextResourceEntry& entry, const std::string& audioBytes,
                                      std::uint32_t lengthMs) {
    check::RecordedLine line;
    line.identifier = entry.identifier;
    line.id = entry.id;
    line.audioFile = entry.audioFile;
    line.textSha256 = check::TextSha256(entry);
    line.lengthMs = lengthMs;
    line.audioSha256 = check::Sha256Hex(audioBytes);
    line.recorded = "2026-11-02T10:00:00Z";
    return line;
}

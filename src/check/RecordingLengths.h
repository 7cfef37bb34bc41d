#pragma once

// Lengths from recordings: the stored lengthMs of each entry set to the real
// length of its plain recording (rounded to the millisecond) where the two
// differ by more than a tolerance. lexarium-tool lengths runs it over a file,
// the editor over its open document.

#include "check/CheckOptions.h"
#include "model/TextResourceObject.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace check {

struct LengthChange {
    std::uint32_t position = 0;
    std::string identifier;
    std::uint32_t oldMs = 0;
    std::uint32_t newMs = 0;
    bool operator==(const LengthChange&) const = default;
};

struct LengthsMeasured {
    std::vector<LengthChange> changes; // in entry order
    // Recordings found whose length libsndfile does not tell (they do not
    // decode, or their format keeps no length): left as they are.
    std::vector<std::string> unmeasured;
};

// The changes for the entries of `collection` whose recordings are found under
// `audioFolder` (an empty folder is the current folder, as for listen); none
// (nullopt) when cancelled through `control`.
std::optional<LengthsMeasured> MeasureLengths(const TextResourceObject& collection,
                                              const std::string& audioFolder,
                                              std::uint32_t toleranceMs,
                                              const CheckControl& control = {});

// Sets the new lengths; the collection must be the one measured, unchanged since.
void ApplyLengths(TextResourceObject& collection, const std::vector<LengthChange>& changes);

} // namespace check

#pragma once

// Whether a line is spoken too fast for its recording: its characters (as
// CountSpokenCharacters counts them) per second of the recording.

#include <cstdint>
#include <optional>
#include <string>

namespace check {

// The detail of a too-fast finding ("34.2 characters per second, above 20"),
// or none when the pace is within `maxPerSecond`. A length of 0 tells no pace.
std::optional<std::string> TooFast(std::uint64_t characters, double lengthMs, double maxPerSecond);

} // namespace check

#pragma once

// Decodes an open recording to its end and measures its levels: sample peak,
// integrated loudness with libebur128, and the quiet at its start and end.

#include "check/AudioFacts.h"

#include <sndfile.h>

namespace check {

// `sound` (not owned) is at its start; it is read to its end.
AudioLevels MeasureLevels(SNDFILE* sound, int channels);

} // namespace check

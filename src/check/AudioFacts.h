#pragma once

// What libsndfile tells about a recording without decoding it: whether it
// opens, its frames and its sample rate.

#include <cstdint>
#include <string>

namespace check {

struct AudioFacts {
    bool readable = false;
    std::string error;        // why it is not readable
    std::int64_t frames = -1; // -1 when the format does not tell
    int sampleRate = 0;

    bool HasLength() const { return readable && frames >= 0 && sampleRate > 0; }
    double LengthMs() const { return static_cast<double>(frames) * 1000.0 / sampleRate; }
};

AudioFacts ReadAudioFacts(const std::string& path);

// Whether `name` ends in the extension of a format libsndfile reads (letter
// case ignored); headerless raw data does not count.
bool HasAudioExtension(const std::string& name);

} // namespace check

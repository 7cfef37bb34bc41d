#pragma once

// What libsndfile tells about a recording without decoding it: whether it
// opens, its frames, its sample rate and channels; and, when asked, its
// levels, which takes decoding it whole.

#include <cstdint>
#include <string>

namespace check {

// The levels of a decoded recording.
struct AudioLevels {
    bool measured = false;   // false: the recording did not decode to its end
    double samplePeak = 0.0; // the largest magnitude of a sample, 1.0 at full scale
    // Integrated loudness (EBU R 128) in LUFS; minus infinity when no gated
    // block has sound (silence, or shorter than 400 ms).
    double loudness = 0.0;
    std::int64_t frames = 0;
    // Frames below the silence threshold at the start and at the end; both
    // equal `frames` when no frame reaches it.
    std::int64_t leadingQuiet = 0;
    std::int64_t trailingQuiet = 0;

    bool SilentThroughout() const { return leadingQuiet == frames; }
};

// A sample below -50 dBFS counts as silence.
inline constexpr double kSilenceDbfs = -50.0;

struct AudioFacts {
    bool readable = false;
    std::string error;        // why it is not readable
    std::int64_t frames = -1; // -1 when the format does not tell
    int sampleRate = 0;
    int channels = 0;

    bool HasLength() const { return readable && frames >= 0 && sampleRate > 0; }
    double LengthMs() const { return static_cast<double>(frames) * 1000.0 / sampleRate; }
};

// The SHA-256 of a recording's bytes, read through the descriptor that its
// facts are read through.
struct FileHash {
    std::string hex;   // lowercase; empty when the file was not read
    std::string error; // why not
};

// The facts of the recording at `path`; with `levels`, it is decoded whole
// and its levels measured as well; with `hash`, its bytes are hashed, from
// the same opening of the file. Only a regular file of at most 2 GiB is
// read (RegularFile.h); anything else is not readable, with the reason.
AudioFacts ReadAudioFacts(const std::string& path, AudioLevels* levels = nullptr, // not owned
                          FileHash* hash = nullptr);                              // not owned

// Whether `name` ends in the extension of a format libsndfile reads (letter
// case ignored); headerless raw data does not count.
bool HasAudioExtension(const std::string& name);

} // namespace check

#pragma once

// A recording shaped like speech for timing the level checks: 16 kHz, 16-bit
// mono, tones rising and falling four times a second (syllables) with short
// pauses, at about the loudness of dialogue.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sndfile.h>
#include <string>
#include <vector>

inline bool WriteSpeech(const std::string& path, std::uint32_t milliseconds) {
    constexpr int kRate = 16000;
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        return false;
    const std::size_t frames = static_cast<std::size_t>(milliseconds) * kRate / 1000;
    std::vector<short> samples(frames);
    constexpr double kPi = 3.14159265358979;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double syllable = std::max(0.0, std::sin(2.0 * kPi * 4.0 * t));
        const double voice = 0.6 * std::sin(2.0 * kPi * 180.0 * t) +
                             0.3 * std::sin(2.0 * kPi * 720.0 * t) +
                             0.1 * std::sin(2.0 * kPi * 2500.0 * t);
        samples[i] = static_cast<short>(6000.0 * syllable * voice);
    }
    sf_write_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    return true;
}

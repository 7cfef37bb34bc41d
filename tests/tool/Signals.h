#pragma once

// Recordings with known levels, written by libsndfile for the level checks:
// runs of a 1 kHz tone (whose loudness in LUFS is its peak level in dBFS
// minus 3) and of silence.

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <string>
#include <vector>

namespace signals {

struct Run {
    double seconds = 0.0;
    double amplitude = 0.0; // of the tone, 1.0 at full scale; 0: silence
};

// -23 LUFS: the tone's amplitude for the expected loudness.
inline constexpr double kNormal = 0.1;

inline void WriteSignal(const std::string& path, const std::vector<Run>& runs,
                        int rate = 16000, int channels = 1, int format = SF_FORMAT_WAV) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<double> frames;
    std::size_t n = 0;
    for (const Run& run : runs) {
        const auto count = static_cast<std::size_t>(std::llround(run.seconds * rate));
        for (std::size_t i = 0; i < count; ++i, ++n) {
            const double value =
                run.amplitude * std::sin(2.0 * 3.14159265358979 * 1000.0 * n / rate);
            for (int c = 0; c < channels; ++c)
                frames.push_back(value);
        }
    }
    sf_writef_double(file, frames.data(), static_cast<sf_count_t>(frames.size() / channels));
    sf_close(file);
}

} // namespace signals

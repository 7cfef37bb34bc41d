#include "check/LevelMeter.h"

#include <algorithm>
#include <cmath>
#include <ebur128.h>
#include <limits>
#include <memory>
#include <vector>

namespace check {

namespace {

constexpr sf_count_t kFramesPerRead = 8192;

struct StateDeleter {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

} // namespace

AudioLevels MeasureLevels(SNDFILE* sound, int channels) {
    AudioLevels levels;
    SF_INFO info{};
    sf_command(sound, SFC_GET_CURRENT_SF_INFO, &info, sizeof info);
    if (channels <= 0 || info.samplerate <= 0)
        return levels;
    std::unique_ptr<ebur128_state, StateDeleter> state(
        ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(info.samplerate),
                     EBUR128_MODE_I));
    if (!state)
        return levels;
    // Samples as floats at full scale 1.0, whatever the file holds.
    sf_command(sound, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    const float quiet = static_cast<float>(std::pow(10.0, kSilenceDbfs / 20.0));

    std::vector<float> samples(static_cast<std::size_t>(kFramesPerRead * channels));
    std::int64_t frames = 0;
    std::int64_t firstLoud = -1;
    std::int64_t lastLoud = -1;
    float peak = 0.0f;
    for (;;) {
        const sf_count_t got = sf_readf_float(sound, samples.data(), kFramesPerRead);
        if (got <= 0)
            break;
        const std::size_t count = static_cast<std::size_t>(got * channels);
        float blockPeak = 0.0f;
        for (std::size_t i = 0; i < count; ++i)
            blockPeak = std::max(blockPeak, std::fabs(samples[i]));
        if (blockPeak >= quiet) {
            // The first and the last loud sample: only the quiet runs at the
            // block's ends are walked again.
            std::size_t first = 0;
            while (std::fabs(samples[first]) < quiet)
                ++first;
            std::size_t last = count - 1;
            while (std::fabs(samples[last]) < quiet)
                --last;
            const auto width = static_cast<std::size_t>(channels);
            if (firstLoud < 0)
                firstLoud = frames + static_cast<std::int64_t>(first / width);
            lastLoud = frames + static_cast<std::int64_t>(last / width);
        }
        peak = std::max(peak, blockPeak);
        if (ebur128_add_frames_float(state.get(), samples.data(), static_cast<std::size_t>(got)) !=
            EBUR128_SUCCESS)
            return levels;
        frames += got;
    }
    if (sf_error(sound) != SF_ERR_NO_ERROR)
        return levels;
    double loudness = -std::numeric_limits<double>::infinity();
    if (ebur128_loudness_global(state.get(), &loudness) != EBUR128_SUCCESS)
        return levels;
    levels.measured = true;
    levels.samplePeak = peak;
    levels.loudness = loudness;
    levels.frames = frames;
    levels.leadingQuiet = firstLoud < 0 ? frames : firstLoud;
    levels.trailingQuiet = lastLoud < 0 ? frames : frames - 1 - lastLoud;
    return levels;
}

} // namespace check

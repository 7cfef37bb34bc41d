#include "CheckSettings.h"

#include "CommandLine.h"

#include <charconv>
#include <cmath>
#include <tuple>

namespace {

// A decimal number as the command line gives it ("20", "17.5", "-23"), read
// the same whatever the locale.
std::optional<double> ParseDecimal(const std::string& text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] =
        std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Reads the option's value into `value`: what is wrong, empty when nothing is.
std::string Read(const std::optional<std::string>& given, const char* name, bool positive,
                 bool negativeAllowed, double& value) {
    if (!given)
        return {};
    const std::optional<double> number = ParseDecimal(*given);
    const char* wanted = positive          ? "a decimal number above 0"
                         : negativeAllowed ? "a decimal number"
                                           : "a decimal number of 0 or more";
    if (!number || (positive && *number <= 0.0) || (!negativeAllowed && *number < 0.0))
        return std::string("option ") + name + " needs " + wanted + ", not \"" + *given + "\"";
    value = *number;
    return {};
}

} // namespace

void CheckSettings::AddTo(CLI::App& command) {
    AddValueOption(command, "--max-cps", "N", maxCps,
                   "lines above N characters per second are too fast");
    AddFlag(command, "--levels", levels,
            "measure clipping, silence, loudness (needs --audio)");
    AddValueOption(command, "--max-silence", "MS", maxSilence,
                   "silence allowed at a start or end (default 1000)");
    AddValueOption(command, "--loudness", "LUFS", loudness,
                   "the loudness expected (default -23)");
    AddValueOption(command, "--loudness-tolerance", "LU", loudnessTolerance,
                   "how far from it a recording may be (default 3)");
}

std::string CheckSettings::Apply(check::CheckOptions& options) const {
    if (maxCps) {
        double value = 0.0;
        if (std::string wrong = Read(maxCps, "--max-cps", true, false, value); !wrong.empty())
            return wrong;
        options.maxCharactersPerSecond = value;
    }
    check::LevelOptions level;
    for (auto [given, name, negativeAllowed, value] :
         {std::tuple{&maxSilence, "--max-silence", false, &level.maxSilenceMs},
          std::tuple{&loudness, "--loudness", true, &level.loudness},
          std::tuple{&loudnessTolerance, "--loudness-tolerance", false,
                     &level.loudnessTolerance}}) {
        if (!*given)
            continue;
        if (!levels)
            return std::string("option ") + name + " needs --levels";
        if (std::string wrong = Read(*given, name, false, negativeAllowed, *value);
            !wrong.empty())
            return wrong;
    }
    if (levels) {
        if (!options.audioFolder)
            return "option --levels needs --audio";
        options.levels = level;
    }
    return {};
}

#pragma once

// The options of the checks that check and script share: the pace of the
// lines (--max-cps) and the levels of the recordings (--levels with
// --max-silence, --loudness and --loudness-tolerance).

#include "check/CheckOptions.h"

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

struct CheckSettings {
    std::optional<std::string> maxCps;
    bool levels = false;
    std::optional<std::string> maxSilence;
    std::optional<std::string> loudness;
    std::optional<std::string> loudnessTolerance;

    // Adds the options to `command`.
    void AddTo(CLI::App& command);
    // Puts the settings into `options`, whose audio folder is set already:
    // what is wrong with them in words (naming the option), empty when nothing is.
    std::string Apply(check::CheckOptions& options) const;
};

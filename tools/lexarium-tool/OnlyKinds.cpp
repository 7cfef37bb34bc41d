#include "OnlyKinds.h"

#include <array>

namespace {

enum class Needs { Nothing, Audio, MaxCps, Levels };

struct Kind {
    const char* name;
    Needs needs;
};

// The kinds of finding that belong to an entry.
constexpr std::array kKinds = {
    Kind{"damaged", Needs::Nothing},          Kind{"duplicate-id", Needs::Nothing},
    Kind{"duplicate-identifier", Needs::Nothing}, Kind{"placeholder", Needs::Nothing},
    Kind{"empty-text", Needs::Nothing},       Kind{"missing-audio", Needs::Audio},
    Kind{"case-mismatch", Needs::Audio},      Kind{"unreadable-audio", Needs::Audio},
    Kind{"length-mismatch", Needs::Audio},    Kind{"text-changed", Needs::Audio},
    Kind{"new-take", Needs::Audio},           Kind{"too-fast", Needs::MaxCps},
    Kind{"clipped", Needs::Levels},           Kind{"silence", Needs::Levels},
    Kind{"loudness", Needs::Levels},          Kind{"format-differs", Needs::Levels},
};

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string ReadOnlyKinds(const std::string& list, const check::CheckOptions& options,
                          std::set<std::string>& kinds) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string name = Trimmed(list.substr(start, comma - start));
        const Kind* kind = nullptr;
        for (const Kind& known : kKinds)
            if (name == known.name)
                kind = &known;
        if (kind == nullptr) {
            std::string known;
            for (const Kind& each : kKinds)
                known += std::string(known.empty() ? "" : ", ") + each.name;
            return "option --only: unknown kind \"" + name + "\" (kinds: " + known + ")";
        }
        const char* needed = nullptr;
        if (kind->needs == Needs::Audio && !options.audioFolder)
            needed = "--audio";
        else if (kind->needs == Needs::MaxCps && !options.maxCharactersPerSecond)
            needed = "--max-cps";
        else if (kind->needs == Needs::Levels && !options.levels)
            needed = "--levels";
        if (needed != nullptr)
            return "option --only: " + name + " needs " + needed;
        kinds.insert(name);
        if (comma == std::string::npos)
            return {};
        start = comma + 1;
    }
}

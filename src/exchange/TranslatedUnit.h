#pragma once

// What an import reads from a translated file: its units, whatever the
// format, and the first error that stops the reading.

#include <cstdint>
#include <functional>
#include <string>

namespace exchange {

struct TranslatedUnit {
    std::string id;
    std::string source;
    std::string target;
    // The state says the target is done: XLIFF 1.2 translated, signed-off,
    // final, or no state at all with a target that is not empty; XLIFF 2.0
    // translated, reviewed or final (every segment); CSV, which has no
    // state: a target that is not empty.
    bool done = false;
    std::uint64_t line = 0; // where the unit starts, from 1
};

enum class TranslatedFormat { Xliff12, Xliff20, Csv };

struct ReadError {
    std::uint64_t line = 0; // from 1; 0 when no place can be told
    std::uint64_t column = 0;
    std::string message;
};

// Called for each unit as it is read; the unit may be moved from.
using UnitSink = std::function<void(TranslatedUnit& unit)>;

// The longest source or target a unit may have (as libxml2's longest text
// node): a game's line is far shorter, and a hostile file must not make the
// import hold more.
inline constexpr std::size_t kMaxUnitText = 10'000'000;

} // namespace exchange

#pragma once

// Entries and files made up for benchmarks, fuzzing and the sample file.

#include "model/TextResourceObject.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testdata {

// An entry of typical size: identifier about 20 bytes, audio file 24, text 80
// with some non-ASCII characters, comment 30, speaker 10. Different for each index.
TextResourceEntry MakeTypicalEntry(std::uint32_t index);
TextResourceObject MakeTypicalCollection(std::uint32_t count);

// A small realistic file: lines of a mission in English, German, Polish, Greek
// and Japanese; some without audio file, several sharing a speaker.
TextResourceObject MakeSampleCollection();

// Files for a fuzzing corpus: current, legacy and damaged ones, by name.
std::vector<std::pair<std::string, std::string>> MakeSeedFiles();

// The collection as the bytes of a .trs file.
std::string ToFileBytes(TextResourceObject& object);

} // namespace testdata

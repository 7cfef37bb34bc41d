#pragma once

// One unit of an export for translators, and the writers of the formats.

#include "model/TextResourceEntry.h"
#include "support/tsStream.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace exchange {

enum class ExchangeFormat {
    Xliff12, // XLIFF 1.2, the version every CAT tool reads
    Xliff20, // XLIFF 2.0
    Csv,     // RFC 4180, UTF-8, for spreadsheets
};

// What the whole export states once.
struct ExportHeader {
    std::string original;       // the name of the exported file
    std::string sourceLanguage; // BCP 47 tags
    std::string targetLanguage;
    bool byteOrderMark = false; // CSV only
    bool lengthLimits = false;  // units may carry a length limit
};

struct ExportUnit {
    const TextResourceEntry* entry = nullptr; // not owned: identifier, id, notes
    std::string_view source;
    std::string_view target;
    bool translated = false; // the target is a translation of the source
    // The most characters the target may have; none when unknown.
    std::optional<std::uint64_t> maxLength;
};

// Writes the units of one file in the format's form to a stream.
class UnitWriter {
public:
    virtual ~UnitWriter() = default;
    // Each returns a result code; after a failure nothing more is written.
    virtual std::int32_t Begin() = 0;
    virtual std::int32_t Write(const ExportUnit& unit) = 0;
    virtual std::int32_t End() = 0;
};

std::unique_ptr<UnitWriter> MakeUnitWriter(ExchangeFormat format, const ExportHeader& header,
                                           tsOutputStream& out); // not owned

// What a note or a column shows of a comment or an audio file name: nothing
// for the "leer" of a new entry.
std::string_view ShownValue(const std::string& value);

} // namespace exchange

#pragma once

// An export for translators, entry by entry: each entry is checked for what
// the format cannot carry and, while nothing is refused, written as a unit.
// An export with a refused entry is abandoned as a whole (Finish gives
// E_ABORT): a save through it leaves the output as it was.
//
// Refused, with the entries named: bytes that are not UTF-8 in any field (all
// formats); in XLIFF 1.2 a character XML 1.0 cannot hold in any field; in
// XLIFF 2.0 such a character outside the texts (it cannot be a <cp> in a note
// or an id) and an identifier that is not a name token; an identifier that
// another entry has too (a unit id must be unique).

#include "check/FirstSeen.h"
#include "check/ReferenceMatch.h"
#include "exchange/ExportUnit.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace exchange {

struct ExportOptions {
    ExchangeFormat format = ExchangeFormat::Xliff12;
    ExportHeader header;
    // The same text in the source language, matched by identifier: its text
    // is the source and the entry's the target. Null: the entry's own text is
    // both (for review of one language).
    const TextResourceObject* reference = nullptr; // not owned
    // Characters per second a recording allows: the target's length limit is
    // the recording's seconds times this, rounded down.
    std::optional<double> maxCps;
    // The length in milliseconds of an entry's recording when it is found;
    // without it the stored length counts (where it is not 0).
    std::function<std::optional<double>(const TextResourceEntry&)> recordingMs;
};

// An entry named in what the export tells.
struct ExportNote {
    std::uint32_t position = 0;
    std::string identifier;
    std::string detail;
};

class Exporter {
public:
    Exporter(ExportOptions options, tsOutputStream& out); // not owned
    ~Exporter();

    std::int32_t Begin();
    void Add(std::uint32_t position, const TextResourceEntry& entry);
    // The result of the writing; E_ABORT when an entry was refused.
    std::int32_t Finish();

    // Why the export was refused, one note per problem.
    const std::vector<ExportNote>& Refusals() const { return m_refusals; }
    // Entries the reference lacks, exported with their own text as source.
    const std::vector<ExportNote>& NotInReference() const { return m_notInReference; }
    // Entries whose target is already longer than its limit.
    const std::vector<ExportNote>& OverLimit() const { return m_overLimit; }

private:
    bool Refuse(std::uint32_t position, const TextResourceEntry& entry, std::string_view source);
    std::optional<std::uint64_t> LengthLimit(const TextResourceEntry& entry) const;

    ExportOptions m_options;
    std::unique_ptr<UnitWriter> m_writer;
    std::optional<check::ReferenceMatch> m_reference;
    check::FirstSeenTexts m_identifiers;
    std::int32_t m_result = 0;
    std::vector<ExportNote> m_refusals;
    std::vector<ExportNote> m_notInReference;
    std::vector<ExportNote> m_overLimit;
};

} // namespace exchange

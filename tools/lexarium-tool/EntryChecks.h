#pragma once

// The checks of lexarium-tool check that need only the entries: duplicate ids
// and identifiers, the placeholder values of a new entry, empty texts, and what
// the reader met in a damaged file.

#include "Findings.h"
#include "FirstSeen.h"
#include "model/TextResourceReadReport.h"

#include <cstdint>

class EntryChecks {
public:
    void Check(std::uint32_t position, const TextResourceEntry& entry, Findings& findings);

    // Room for about `expected` entries before the tables grow.
    explicit EntryChecks(std::size_t expected) : m_ids(expected), m_identifiers(expected) {}

private:
    FirstSeenIds m_ids;
    FirstSeenTexts m_identifiers;
};

// The file's own damage: a foreign magic, a version newer than the writer's.
void AddHeaderDamage(const TextResourceReadReport& report, Findings& findings);
// The damage known at the end: records the count promises beyond the data,
// bytes after the last record.
void AddEndDamage(const TextResourceReadReport& report, Findings& findings);
// The field problems of the entry just read, which are taken from the report.
void AddFieldDamage(TextResourceReadReport& report, std::uint32_t position,
                    const TextResourceEntry& entry, Findings& findings);

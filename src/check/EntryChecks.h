#pragma once

// The checks that need only the entries: duplicate ids and identifiers, the
// placeholder values of a new entry, and empty texts.

#include "check/Findings.h"
#include "check/FirstSeen.h"

#include <cstdint>

namespace check {

class EntryChecks {
public:
    // Room for about `expected` entries before the tables grow.
    explicit EntryChecks(std::size_t expected) : m_ids(expected), m_identifiers(expected) {}

    // The position at which the entry's identifier was first seen: its own
    // when it is new.
    std::uint32_t Check(std::uint32_t position, const TextResourceEntry& entry,
                        Findings& findings);

private:
    FirstSeenIds m_ids;
    FirstSeenTexts m_identifiers;
};

} // namespace check

#pragma once

// The checks of a file against a reference file matched by identifier:
//   missing-translation  the reference has an identifier the file lacks
//   not-in-reference     the file has an identifier the reference lacks
//   untranslated         the text is byte for byte the reference's text
//                        (neither empty nor "leer")
//   placeholder-mismatch the placeholders differ (Placeholders.h)

#include "check/Findings.h"
#include "check/ReferenceMatch.h"

#include <cstdint>
#include <vector>

namespace check {

class ReferenceChecks {
public:
    explicit ReferenceChecks(const TextResourceObject& reference); // not owned

    void Check(std::uint32_t position, const TextResourceEntry& entry, Findings& findings);
    // The reference's identifiers that no entry had, in the reference's order.
    void Finish(Findings& findings);

private:
    ReferenceMatch m_match;
    std::vector<bool> m_matched; // by position in the reference
};

// Only the findings of the reference checks for a collection in memory.
std::vector<Finding> CheckAgainstReference(const TextResourceObject& collection,
                                           const TextResourceObject& reference);

} // namespace check

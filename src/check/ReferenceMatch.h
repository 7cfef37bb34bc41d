#pragma once

// The entries of a reference file (the same text in another language, most
// often the source language) found by identifier: entries of two languages
// belong together by their identifier, not by id or position. Where the
// reference holds an identifier twice, its first entry is the one matched.
// Used by the reference checks, the exports and imports for translators, and
// the editor's reference pane.

#include "check/FirstSeen.h"
#include "model/TextResourceObject.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace check {

class ReferenceMatch {
public:
    // Indexes `reference`, which must outlive the match and not change
    // while it is used.
    explicit ReferenceMatch(const TextResourceObject& reference); // not owned

    // The reference entry with this identifier; null when there is none.
    const TextResourceEntry* Find(std::string_view identifier) const;
    // Its position in the reference; none when there is none.
    std::optional<std::uint32_t> PositionOf(std::string_view identifier) const;

    const TextResourceObject& Reference() const { return m_reference; }

private:
    const TextResourceObject& m_reference; // not owned
    FirstSeenTexts m_identifiers;
};

} // namespace check

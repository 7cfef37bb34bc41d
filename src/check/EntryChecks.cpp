#include "check/EntryChecks.h"

#include "check/Wording.h"

namespace check {

std::uint32_t EntryChecks::Check(std::uint32_t position, const TextResourceEntry& entry,
                                 Findings& findings) {
    const std::uint32_t firstId = m_ids.Remember(entry.id, position);
    if (firstId != position)
        findings.AddEntryFinding("duplicate-id", position, entry, Field::Id,
                                 Printf("the same id as the entry at position %u", firstId));
    const std::uint32_t firstIdentifier = m_identifiers.Remember(entry.identifier, position);
    if (firstIdentifier != position)
        findings.AddEntryFinding(
            "duplicate-identifier", position, entry, Field::Identifier,
            Printf("the same identifier as the entry at position %u", firstIdentifier));

    if (entry.identifier == kUntitledIdentifier)
        findings.AddEntryFinding("placeholder", position, entry, Field::Identifier,
                                 Printf("the identifier is still \"%s\"", kUntitledIdentifier));
    if (entry.text == kEmptyPlaceholder)
        findings.AddEntryFinding("placeholder", position, entry, Field::Text,
                                 Printf("the text is still \"%s\"", kEmptyPlaceholder));
    if (entry.text.empty())
        findings.AddEntryFinding("empty-text", position, entry, Field::Text, "the text is empty");
    return firstIdentifier;
}

} // namespace check

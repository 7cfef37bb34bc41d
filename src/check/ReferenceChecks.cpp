#include "check/ReferenceChecks.h"

#include "check/Placeholders.h"
#include "check/Wording.h"

namespace check {

namespace {

bool HoldsText(const std::string& text) {
    return !text.empty() && text != kEmptyPlaceholder;
}

} // namespace

ReferenceChecks::ReferenceChecks(const TextResourceObject& reference)
    : m_match(reference), m_matched(reference.GetEntryCount(), false) {}

void ReferenceChecks::Check(std::uint32_t position, const TextResourceEntry& entry,
                            Findings& findings) {
    const std::optional<std::uint32_t> at = m_match.PositionOf(entry.identifier);
    if (!at) {
        findings.AddEntryFinding("not-in-reference", position, entry, Field::Identifier,
                                 "the reference file has no entry with this identifier");
        return;
    }
    m_matched[*at] = true;
    const TextResourceEntry& source = *m_match.Reference().GetEntry(*at);
    // An empty text, or one still "leer", has findings of its own.
    if (!HoldsText(entry.text))
        return;
    if (entry.text == source.text) {
        findings.AddEntryFinding("untranslated", position, entry, Field::Text,
                                 "the text is the reference's text as it stands");
        return;
    }
    const std::string difference = PlaceholderDifference(source.text, entry.text);
    if (!difference.empty())
        findings.AddEntryFinding("placeholder-mismatch", position, entry, Field::Text,
                                 "the placeholders differ from the reference's: " + difference);
}

void ReferenceChecks::Finish(Findings& findings) {
    const TextResourceObject& reference = m_match.Reference();
    for (std::uint32_t at = 0; at < m_matched.size(); ++at) {
        if (m_matched[at])
            continue;
        const TextResourceEntry& entry = *reference.GetEntry(at);
        // Only the first entry of an identifier stands for it.
        if (m_match.PositionOf(entry.identifier) != at)
            continue;
        findings.AddReferenceFinding(
            "missing-translation", at, entry,
            Printf("the reference file has this identifier (position %u, id %u); this file has not",
                   at, entry.id));
    }
}

std::vector<Finding> CheckAgainstReference(const TextResourceObject& collection,
                                           const TextResourceObject& reference) {
    ReferenceChecks checks(reference);
    Findings findings;
    const std::uint32_t count = collection.GetEntryCount();
    for (std::uint32_t position = 0; position < count; ++position)
        checks.Check(position, *collection.GetEntry(position), findings);
    checks.Finish(findings);
    return findings.TakeAll();
}

} // namespace check

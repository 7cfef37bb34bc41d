#include "check/ReferenceMatch.h"

namespace check {

ReferenceMatch::ReferenceMatch(const TextResourceObject& reference)
    : m_reference(reference), m_identifiers(reference.GetEntryCount()) {
    const std::uint32_t count = reference.GetEntryCount();
    for (std::uint32_t position = 0; position < count; ++position)
        m_identifiers.Remember(reference.GetEntry(position)->identifier, position);
}

std::optional<std::uint32_t> ReferenceMatch::PositionOf(std::string_view identifier) const {
    return m_identifiers.Find(identifier);
}

const TextResourceEntry* ReferenceMatch::Find(std::string_view identifier) const {
    const std::optional<std::uint32_t> position = m_identifiers.Find(identifier);
    return position ? m_reference.GetEntry(*position) : nullptr;
}

} // namespace check

#include "check/RecordedChecks.h"

#include <algorithm>

namespace check {

std::string TextChangedDetail(const RecordedLine& line) {
    return "the text changed after it was recorded on " + line.RecordedDay();
}

std::string NewTakeDetail(const RecordedLine& line) {
    return "a new take since " + line.RecordedDay() + "; run record to accept it";
}

RecordedChecks::RecordedChecks(RecordedListSource list) : m_source(std::move(list)) {}

void RecordedChecks::Index() {
    m_list = m_source.Get();
    if (!m_list)
        return;
    m_lines.reserve(m_list->lines.size());
    for (const RecordedLine& line : m_list->lines)
        m_lines.emplace(line.identifier, &line);
}

const RecordedLine* RecordedChecks::Find(std::string_view identifier) {
    const auto found = m_lines.find(identifier);
    return found == m_lines.end() ? nullptr : found->second;
}

void RecordedChecks::Seen(std::uint32_t position, std::uint32_t firstOfIdentifier) {
    if (firstOfIdentifier != position)
        m_sharedFirsts.push_back(firstOfIdentifier);
}

RecordedChecks::Lookup RecordedChecks::Look(const TextResourceEntry& entry) {
    if (!m_list) {
        if (!m_source.Ready())
            return {};
        Index();
    }
    return Lookup{true, Find(entry.identifier)};
}

void RecordedChecks::Found(std::size_t sequence, std::uint32_t position,
                           std::uint32_t firstOfIdentifier, const TextResourceEntry& entry,
                           const Lookup& listed, std::size_t findingIndex) {
    Pending pending{sequence, position, firstOfIdentifier, entry.id, listed.line, findingIndex,
                    false,    0,        0,                 {}};
    if (listed.line != nullptr) {
        pending.textChanged = TextSha256(entry) != listed.line->textSha256;
    } else {
        pending.identifierAt = m_identifiers.size();
        pending.identifierLength = static_cast<std::uint32_t>(entry.identifier.size());
        m_identifiers += entry.identifier;
        pending.textSha256 = TextSha256(entry);
    }
    m_pending.push_back(std::move(pending));
}

std::vector<std::pair<std::size_t, Finding>>
RecordedChecks::Finish(const std::vector<FactReaders::Measured>& measured) {
    if (!m_list)
        Index();
    std::sort(m_sharedFirsts.begin(), m_sharedFirsts.end());
    std::vector<std::pair<std::size_t, Finding>> placed;
    for (const Pending& pending : m_pending) {
        const RecordedLine* line =
            pending.line != nullptr
                ? pending.line
                : Find(std::string_view(m_identifiers)
                           .substr(pending.identifierAt, pending.identifierLength));
        if (line == nullptr)
            continue;
        if (std::binary_search(m_sharedFirsts.begin(), m_sharedFirsts.end(),
                               pending.firstOfIdentifier))
            continue; // shared: the line cannot tell which entry it was made for
        const auto at = std::lower_bound(measured.begin(), measured.end(), pending.sequence,
                                         [](const FactReaders::Measured& m, std::size_t sequence) {
                                             return m.sequence < sequence;
                                         });
        if (at == measured.end() || at->sequence != pending.sequence)
            continue; // cancelled before it was read
        Finding finding;
        finding.scope = Scope::Entry;
        finding.position = pending.position;
        finding.id = pending.id;
        finding.identifier = line->identifier;
        // A recording that is not the one recorded was made from some other
        // text: that it is new is what matters, and record accepts it.
        if (!at->sha256.empty() && at->sha256 != line->audioSha256) {
            finding.kind = "new-take";
            finding.field = Field::AudioFile;
            finding.detail = NewTakeDetail(*line);
        } else if (pending.line != nullptr ? pending.textChanged
                                           : pending.textSha256 != line->textSha256) {
            finding.kind = "text-changed";
            finding.field = Field::Text;
            finding.detail = TextChangedDetail(*line);
        } else {
            continue;
        }
        placed.emplace_back(pending.findingIndex, std::move(finding));
    }
    return placed;
}

} // namespace check

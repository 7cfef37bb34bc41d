#include "check/RecordedChecks.h"

#include <algorithm>

namespace check {

std::string TextChangedDetail(const RecordedLine& line) {
    return "the text changed after it was recorded on " + line.RecordedDay();
}

std::string NewTakeDetail(const RecordedLine& line) {
    return "a new take since " + line.RecordedDay() + "; run record to accept it";
}

RecordedChecks::RecordedChecks(std::shared_ptr<const RecordedList> list) : m_list(std::move(list)) {
    m_lines.reserve(m_list->lines.size());
    for (const RecordedLine& line : m_list->lines)
        m_lines.emplace(line.identifier, std::make_pair(&line, 0u));
}

const RecordedLine* RecordedChecks::Line(const TextResourceEntry& entry) {
    const auto found = m_lines.find(entry.identifier);
    if (found == m_lines.end())
        return nullptr;
    ++found->second.second;
    return found->second.first;
}

void RecordedChecks::Found(std::size_t sequence, std::uint32_t position,
                           const TextResourceEntry& entry, const RecordedLine& line,
                           std::size_t findingIndex) {
    m_pending.push_back(Pending{sequence, position, entry.id, &line,
                                TextSha256(entry) != line.textSha256, findingIndex});
}

std::vector<std::pair<std::size_t, Finding>>
RecordedChecks::Finish(const std::vector<FactReaders::Measured>& measured) {
    std::vector<std::pair<std::size_t, Finding>> placed;
    for (const Pending& pending : m_pending) {
        const RecordedLine& line = *pending.line;
        if (m_lines.at(line.identifier).second > 1)
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
        finding.identifier = line.identifier;
        // A recording that is not the one recorded was made from some other
        // text: that it is new is what matters, and record accepts it.
        if (!at->sha256.empty() && at->sha256 != line.audioSha256) {
            finding.kind = "new-take";
            finding.field = Field::AudioFile;
            finding.detail = NewTakeDetail(line);
        } else if (pending.textChanged) {
            finding.kind = "text-changed";
            finding.field = Field::Text;
            finding.detail = TextChangedDetail(line);
        } else {
            continue;
        }
        placed.emplace_back(pending.findingIndex, std::move(finding));
    }
    return placed;
}

} // namespace check

#include "check/Findings.h"

#include <iterator>

namespace check {

namespace {

// A finding about an entry, of the file or of the reference.
Finding AboutEntry(std::string kind, Scope scope, std::uint32_t position,
                   const TextResourceEntry& entry, Field field, std::string detail) {
    Finding finding;
    finding.kind = std::move(kind);
    finding.scope = scope;
    finding.position = position;
    finding.id = entry.id;
    finding.identifier = entry.identifier;
    finding.field = field;
    finding.detail = std::move(detail);
    return finding;
}

} // namespace

void Findings::AddFileFinding(std::string kind, std::string detail) {
    Finding finding;
    finding.kind = std::move(kind);
    finding.detail = std::move(detail);
    m_file.push_back(std::move(finding));
}

void Findings::AddEntryFinding(std::string kind, std::uint32_t position,
                               const TextResourceEntry& entry, Field field, std::string detail) {
    m_entries.push_back(
        AboutEntry(std::move(kind), Scope::Entry, position, entry, field, std::move(detail)));
}

void Findings::InsertEntryFindings(std::vector<std::pair<std::size_t, Finding>> placed) {
    if (placed.empty())
        return;
    // Only the tail after the first place is merged.
    const std::size_t start = placed.front().first;
    std::vector<Finding> tail(std::make_move_iterator(m_entries.begin() + start),
                              std::make_move_iterator(m_entries.end()));
    m_entries.resize(start);
    std::size_t next = 0;
    for (std::size_t i = 0; i <= tail.size(); ++i) {
        while (next < placed.size() && placed[next].first - start == i)
            m_entries.push_back(std::move(placed[next++].second));
        if (i < tail.size())
            m_entries.push_back(std::move(tail[i]));
    }
}

void Findings::AddReferenceFinding(std::string kind, std::uint32_t position,
                                   const TextResourceEntry& entry, std::string detail) {
    m_reference.push_back(AboutEntry(std::move(kind), Scope::Reference, position, entry,
                                     Field::Identifier, std::move(detail)));
}

void Findings::AddFolderFinding(std::string kind, std::string detail) {
    Finding finding;
    finding.kind = std::move(kind);
    finding.scope = Scope::Folder;
    finding.detail = std::move(detail);
    m_folder.push_back(std::move(finding));
}

std::vector<Finding> Findings::TakeAll() {
    std::vector<Finding> all = std::move(m_file);
    all.reserve(all.size() + m_entries.size() + m_reference.size() + m_folder.size());
    std::move(m_entries.begin(), m_entries.end(), std::back_inserter(all));
    std::move(m_reference.begin(), m_reference.end(), std::back_inserter(all));
    std::move(m_folder.begin(), m_folder.end(), std::back_inserter(all));
    m_file.clear();
    m_entries.clear();
    m_reference.clear();
    m_folder.clear();
    return all;
}

} // namespace check

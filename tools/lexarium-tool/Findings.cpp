#include "Findings.h"

#include "OutputText.h"

void Findings::AddFileFinding(std::string kind, std::string detail) {
    Finding finding;
    finding.kind = std::move(kind);
    finding.detail = std::move(detail);
    m_file.push_back(std::move(finding));
}

void Findings::AddEntryFinding(std::string kind, std::uint32_t position,
                               const TextResourceEntry& entry, std::string detail) {
    Finding finding;
    finding.kind = std::move(kind);
    finding.ofEntry = true;
    finding.position = position;
    finding.id = entry.id;
    finding.identifier = entry.identifier;
    finding.detail = std::move(detail);
    m_entries.push_back(std::move(finding));
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

void Findings::AddFolderFinding(std::string kind, std::string detail) {
    Finding finding;
    finding.kind = std::move(kind);
    finding.detail = std::move(detail);
    m_folder.push_back(std::move(finding));
}

template <typename Visit> void Findings::ForEach(Visit visit) const {
    for (const auto* list : {&m_file, &m_entries, &m_folder})
        for (const Finding& finding : *list)
            visit(finding);
}

void Findings::PrintLines(std::FILE* out) const {
    std::string line;
    ForEach([&](const Finding& finding) {
        line = finding.kind;
        line += '\t';
        if (finding.ofEntry) {
            line += std::to_string(finding.position);
            line += '\t';
            line += std::to_string(finding.id);
            line += '\t';
            line += LineField(finding.identifier);
        } else {
            line += "-\t-\t-";
        }
        line += '\t';
        line += LineField(finding.detail);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), out);
    });
}

void Findings::PrintJson(std::FILE* out, const std::string& file, std::uint32_t entries) const {
    std::string text = "{\"file\": " + JsonString(file) +
                       ", \"entries\": " + std::to_string(entries) + ", \"findings\": [";
    bool first = true;
    ForEach([&](const Finding& finding) {
        text += first ? "\n  " : ",\n  ";
        first = false;
        text += "{\"kind\": " + JsonString(finding.kind);
        if (finding.ofEntry) {
            text += ", \"position\": " + std::to_string(finding.position);
            text += ", \"id\": " + std::to_string(finding.id);
            text += ", \"identifier\": " + JsonString(finding.identifier);
        } else {
            text += ", \"position\": null, \"id\": null, \"identifier\": null";
        }
        text += ", \"detail\": " + JsonString(finding.detail) + "}";
    });
    text += first ? "]}\n" : "\n]}\n";
    std::fwrite(text.data(), 1, text.size(), out);
}

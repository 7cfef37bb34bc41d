#pragma once

// The findings of lexarium-tool check and their two printed forms.

#include "model/TextResourceEntry.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

struct Finding {
    std::string kind;
    bool ofEntry = false; // false: the finding belongs to the file or the folder
    std::uint32_t position = 0;
    std::uint32_t id = 0;
    std::string identifier;
    std::string detail;
};

class Findings {
public:
    // A finding of the file as a whole.
    void AddFileFinding(std::string kind, std::string detail);
    // A finding of the entry at `position`.
    void AddEntryFinding(std::string kind, std::uint32_t position, const TextResourceEntry& entry,
                         std::string detail);
    // A finding of the recordings' folder, printed after the entries'.
    void AddFolderFinding(std::string kind, std::string detail);

    // The number of entry findings so far: where the next one goes.
    std::size_t EntryFindingCount() const { return m_entries.size(); }
    // Puts entry findings in at the places they belong, each at the index the
    // count had when it was decided; the indices do not decrease.
    void InsertEntryFindings(std::vector<std::pair<std::size_t, Finding>> placed);

    bool Empty() const { return m_file.empty() && m_entries.empty() && m_folder.empty(); }

    // KIND, POSITION, ID, IDENTIFIER, DETAIL: one line each, tab-separated.
    void PrintLines(std::FILE* out) const;
    // One JSON object: the file's name, its entry count and the findings.
    void PrintJson(std::FILE* out, const std::string& file, std::uint32_t entries) const;

private:
    template <typename Visit> void ForEach(Visit visit) const;

    std::vector<Finding> m_file;
    std::vector<Finding> m_entries;
    std::vector<Finding> m_folder;
};

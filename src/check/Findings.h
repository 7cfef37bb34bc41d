#pragma once

// The findings of one check as they are made, kept in the order in which
// they are listed: the file's, the entries', the folder's.

#include "check/Finding.h"
#include "model/TextResourceEntry.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace check {

class Findings {
public:
    // A finding of the file as a whole.
    void AddFileFinding(std::string kind, std::string detail);
    // A finding of the entry at `position`, about `field` of it.
    void AddEntryFinding(std::string kind, std::uint32_t position, const TextResourceEntry& entry,
                         Field field, std::string detail);
    // A finding of the entry at `position` of the reference file.
    void AddReferenceFinding(std::string kind, std::uint32_t position,
                             const TextResourceEntry& entry, std::string detail);
    // A finding of the recordings' folder, listed after the entries'.
    void AddFolderFinding(std::string kind, std::string detail);

    // The number of entry findings so far: where the next one goes.
    std::size_t EntryFindingCount() const { return m_entries.size(); }
    // Puts entry findings in at the places they belong, each at the index the
    // count had when it was decided; the indices do not decrease.
    void InsertEntryFindings(std::vector<std::pair<std::size_t, Finding>> placed);

    bool Empty() const { return m_file.empty() && m_entries.empty() && m_reference.empty() &&
               m_folder.empty(); }
    // All findings in their order; the lists are left empty.
    std::vector<Finding> TakeAll();

private:
    std::vector<Finding> m_file;
    std::vector<Finding> m_entries;
    std::vector<Finding> m_reference;
    std::vector<Finding> m_folder;
};

} // namespace check

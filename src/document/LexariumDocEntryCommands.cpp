// The document's entry commands: new entry and delete entry.

#include "EntryTree.h"
#include "LexariumDoc.h"
#include "model/TextResourceObject.h"

#include <algorithm>
#include <vector>

namespace {

// An id that no entry holds: the next free one, or, once the ids have reached
// the top of their range, the lowest gap.
std::uint32_t UnusedId(const TextResourceObject& entries) {
    std::vector<std::uint32_t> ids;
    ids.reserve(entries.GetEntryCount());
    for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i)
        ids.push_back(entries.GetEntry(i)->id);
    const std::uint32_t next = entries.GetNextFreeId();
    if (std::find(ids.begin(), ids.end(), next) == ids.end())
        return next;
    std::sort(ids.begin(), ids.end());
    std::uint32_t candidate = 0;
    for (std::uint32_t id : ids) {
        if (id > candidate)
            break;
        if (id == candidate)
            ++candidate;
    }
    return candidate;
}

// Removes exactly this entry. The collection removes the first entry with a
// given id, so when an earlier entry shares the id, the entry first gets an id
// of its own: deleting the selected entry must never remove another one.
void RemoveEntry(TextResourceObject& entries, TextResourceEntry& doomed) {
    for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i) {
        const TextResourceEntry* entry = entries.GetEntry(i);
        if (entry == &doomed)
            break;
        if (entry->id == doomed.id) {
            doomed.id = UnusedId(entries);
            break;
        }
    }
    entries.DeleteEntry(doomed.id);
}

} // namespace

void CLexariumDoc::OnNewEntry() {
    TextResourceEntry entry; // the placeholders "UNBENANNT" and "leer"
    entry.id = m_textResources.GetNextFreeId();
    m_textResources.AddEntry(entry);
    if (g_pTreeView != nullptr) {
        g_pTreeView->m_pCurrentEntry =
            m_textResources.GetEntry(m_textResources.GetEntryCount() - 1);
        g_pTreeView->RebuildTree(); // selects the new entry and shows it in the editor
    }
    SetModifiedFlag(true);
}

void CLexariumDoc::OnDeleteEntry() {
    if (g_pTreeView == nullptr || g_pTreeView->m_pCurrentEntry == nullptr)
        return;
    RemoveEntry(m_textResources, *g_pTreeView->m_pCurrentEntry);
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pTreeView->RebuildTree();
    SetModifiedFlag(true);
}

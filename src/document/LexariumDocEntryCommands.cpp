// The document's entry commands: new entry and delete entry.

#include "EntryTree.h"
#include "LexariumDoc.h"
#include "model/TextResourceObject.h"

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
    NotifyEntriesChanged(EntriesChange::Added, m_textResources.GetEntryCount() - 1);
}

void CLexariumDoc::OnDeleteEntry() {
    if (g_pTreeView == nullptr || g_pTreeView->m_pCurrentEntry == nullptr)
        return;
    // Removes the selected entry itself, also when an earlier entry shares its
    // id: removing by id would delete that other entry instead.
    const std::uint32_t position = m_textResources.PositionOf(g_pTreeView->m_pCurrentEntry);
    m_textResources.DeleteEntryAt(position);
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pTreeView->RebuildTree();
    SetModifiedFlag(true);
    NotifyEntriesChanged(EntriesChange::Removed, position);
}

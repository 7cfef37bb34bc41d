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
}

void CLexariumDoc::OnDeleteEntry() {
    if (g_pTreeView == nullptr || g_pTreeView->m_pCurrentEntry == nullptr)
        return;
    // Removes the selected entry itself, also when an earlier entry shares its
    // id: removing by id would delete that other entry instead.
    m_textResources.DeleteEntryAt(m_textResources.PositionOf(g_pTreeView->m_pCurrentEntry));
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pTreeView->RebuildTree();
    SetModifiedFlag(true);
}

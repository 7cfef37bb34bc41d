// The document's find and replace: the command that opens the dialog, and
// replace all's changes written as one command.
#include "EntryTree.h"
#include "LexariumDoc.h"
#include "ReplaceDlg.h"
#include "ReplacePlan.h"

void CLexariumDoc::OnReplace() {
    CReplaceDlg dlg;
    dlg.DoModal();
}

void CLexariumDoc::ApplyReplacePlan(const ReplacePlan& plan) {
    if (plan.changes.empty())
        return;
    ::ApplyReplacePlan(m_textResources, plan);
    SetModifiedFlag(true);
    std::vector<std::uint32_t> positions;
    positions.reserve(plan.changes.size());
    for (const FieldChange& change : plan.changes)
        if (positions.empty() || positions.back() != change.position)
            positions.push_back(change.position);
    for (const std::uint32_t position : positions)
        NotifyEntriesChanged(EntriesChange::Edited, position);
    if (g_pTreeView != nullptr)
        g_pTreeView->EntriesEdited(positions);
}

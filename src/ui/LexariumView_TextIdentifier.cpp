// The check that identifiers are unique, run when the identifier field loses
// the focus, and its repair: a number appended to the current entry's identifier.

#include "EntryText.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"
#include "Prompts.h"
#include "model/TextResourceObject.h"

#include <string>

int CLexariumView_Text::CountIdentifier(CString text) {
    if (g_pDocument == nullptr)
        return 0;
    const std::string wanted = ToUtf8(text);
    const TextResourceObject& entries = g_pDocument->m_textResources;
    int count = 0;
    for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i) {
        if (entries.GetEntry(i)->identifier == wanted)
            ++count;
    }
    return count;
}

void CLexariumView_Text::OnKillfocusIdentifier() {
    // Without a current entry the field holds nothing to check, and reading
    // the form would refuse its empty numbers.
    if (CurrentEntry() == nullptr)
        return;
    UpdateData(true);
    if (m_strIdentifier.isEmpty())
        return;
    const int shared = CountIdentifier(m_strIdentifier);
    if (shared <= 1)
        return;
    AfxMessageBox(QStringLiteral("Identifier already defined!"), MB_OK);
    TextResourceEntry* entry = CurrentEntry();
    if (entry == nullptr)
        return;
    // The first number tried is the count of entries sharing the identifier;
    // each further attempt replaces the number of the one before.
    const std::string base = entry->identifier;
    std::uint64_t suffix = static_cast<std::uint64_t>(shared);
    do {
        entry->identifier = base + std::to_string(suffix);
        m_strIdentifier = FromUtf8(entry->identifier);
        ++suffix;
    } while (CountIdentifier(m_strIdentifier) > 1);
    UpdateData(false);
    g_pTreeView->SetCurrentItemText(m_strIdentifier);
    // The repair is a change like any other: also when the file was saved
    // since the duplicate was typed (or loaded), the document is modified.
    if (g_pDocument != nullptr) {
        g_pDocument->SetModifiedFlag(true);
        g_pDocument->NotifyEntriesChanged(CLexariumDoc::EntriesChange::Edited,
                                          g_pDocument->m_textResources.PositionOf(entry));
    }
}

// The document's search: the command that opens the search dialog, and the
// scan that the dialog runs on every press of "Search".
#include "EntrySearch.h"
#include "LexariumDoc.h"
#include "SearchDlg.h"

void CLexariumDoc::OnSearch() {
    CSearchDlg dlg;
    dlg.DoModal();
}

int CLexariumDoc::SearchEntries(const CString& text, int field, int start) {
    // The text goes to UTF-8 without loss, once per press, and is compared
    // byte for byte with the stored fields.
    const QByteArray needle = text.toUtf8();
    return FindMatchingEntry(m_textResources, std::string_view(needle.constData(), needle.size()),
                             field, start);
}

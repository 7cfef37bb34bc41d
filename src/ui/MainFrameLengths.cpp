// Tools' Lengths from recordings over the open document: the stored length of
// each entry whose recording is found under the mission folder becomes the
// recording's real length, where the two differ. The document is marked
// modified only when a length changed.

#include "CmdUI.h"
#include "EntryText.h"
#include "EntryTree.h"
#include "LexariumDoc.h"
#include "LexariumView_Text.h"
#include "MainFrame.h"
#include "Prompts.h"
#include "RecordingLookup.h"
#include "check/RecordingLengths.h"

#include <QApplication>
#include <QFile>

namespace {

QString LengthsMessage(std::size_t changed, std::size_t unmeasured, const CString& folder) {
    QString text = changed == 0   ? QStringLiteral("No length changed.")
                   : changed == 1 ? QStringLiteral("1 length changed.")
                                  : QStringLiteral("%1 lengths changed.").arg(changed);
    text += QStringLiteral("\nRecordings were looked up under %1.")
                .arg(folder.isEmpty() ? QStringLiteral("the current folder") : folder);
    if (unmeasured > 0)
        text +=
            QStringLiteral("\n%1 found %2 could not be measured and kept %3 stored length.")
                .arg(unmeasured)
                .arg(unmeasured == 1 ? QStringLiteral("recording") : QStringLiteral("recordings"))
                .arg(unmeasured == 1 ? QStringLiteral("its") : QStringLiteral("their"));
    return text;
}

} // namespace

void CMainFrame::OnUpdateLengthsFromRecordings(CCmdUI* pCmdUI) {
    pCmdUI->Enable(g_pDocument != nullptr && g_pDocument->m_textResources.GetEntryCount() > 0);
}

void CMainFrame::OnLengthsFromRecordings() {
    if (g_pDocument == nullptr)
        return;
    const CString folder = g_pMissionFolder != nullptr ? *g_pMissionFolder : CString();
    TextResourceObject& entries = g_pDocument->m_textResources;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<check::LengthsMeasured> measured =
        check::MeasureLengths(entries, QFile::encodeName(folder).toStdString(), 0);
    QApplication::restoreOverrideCursor();
    if (!measured)
        return;
    if (!measured->changes.empty()) {
        check::ApplyLengths(entries, measured->changes);
        g_pDocument->SetModifiedFlag(true);
        for (const check::LengthChange& change : measured->changes)
            g_pDocument->NotifyEntriesChanged(CLexariumDoc::EntriesChange::Edited, change.position);
        // The form shows the stored length: it shows the new one.
        if (g_pTextView != nullptr && g_pTreeView != nullptr &&
            g_pTreeView->m_pCurrentEntry != nullptr)
            g_pTextView->FillFromEntry();
    }
    AfxMessageBox(LengthsMessage(measured->changes.size(), measured->unmeasured.size(), folder),
                  MB_OK | MB_ICONINFORMATION);
}

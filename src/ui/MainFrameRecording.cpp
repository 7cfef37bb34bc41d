// The main frame's status line about the selected entry's recording, and the
// recorded list of the open file that the problems list checks against.

#include "EntryText.h"
#include "LexariumDoc.h"
#include "MainFrame.h"

void CMainFrame::CreateRecordingStatus() {
    m_pRecordingStatus = std::make_unique<CRecordingStatus>(this);
    m_problems.SetRecordedListSource([this]() -> ProblemsList::RecordedSource {
        if (g_pDocument == nullptr)
            return {};
        return m_pRecordingStatus->RecordedLines(ToUtf8(g_pDocument->m_strContentsPath));
    });
}

void CMainFrame::OnEntrySelected(const TextResourceEntry* entry) {
    if (m_pRecordingStatus)
        m_pRecordingStatus->OnSelected(entry, m_problems.Settings().MaxPerSecond());
}

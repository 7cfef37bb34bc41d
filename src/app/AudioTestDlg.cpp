// The audio test panel's handlers.

#include "AudioTestDlg.h"

#include "DataExchange.h"
#include "EntryText.h"
#include "FrameWnd.h"
#include "LexariumApp.h"
#include "LexariumDoc.h"
#include "MciWnd.h"
#include "RecordingLookup.h"
#include "ResourceIds.h"
#include "model/TextResourceEntry.h"

BEGIN_MESSAGE_MAP(CAudioTestDlg, CDialog)
ON_BN_CLICKED(IDC_AUDIO_NEXT, &CAudioTestDlg::OnNext)
ON_BN_CLICKED(IDC_AUDIO_PRIOR, &CAudioTestDlg::OnPrior)
ON_EN_CHANGE(IDC_AUDIO_FOLDER, &CAudioTestDlg::OnChangeFolder)
// Both listen buttons (a click is a command): their ids follow each other.
ON_COMMAND_RANGE(IDC_AUDIO_LISTEN, IDC_AUDIO_LISTEN_FEMALE, &CAudioTestDlg::OnListen)
END_MESSAGE_MAP()

static_assert(IDC_AUDIO_LISTEN_FEMALE == IDC_AUDIO_LISTEN + 1);

CAudioTestDlg::CAudioTestDlg(QWidget* pParent) : CDialog(IDD_AUDIO_TEST, pParent) {}

CAudioTestDlg::~CAudioTestDlg() = default;

INT_PTR CAudioTestDlg::DoModal() {
    const INT_PTR result = CDialog::DoModal();
    // Closing the panel ends its players and their sound.
    for (CMciWnd* player : findChildren<CMciWnd*>(Qt::FindDirectChildrenOnly))
        delete player;
    return result;
}

void CAudioTestDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AUDIO_FOLDER, m_strFolder);
    DDX_Text(pDX, IDC_AUDIO_TEXT, m_strText);
    DDX_Text(pDX, IDC_AUDIO_SPEAKER, m_strSpeaker);
    DDX_Text(pDX, IDC_AUDIO_IDENTIFIER, m_strIdentifier);
    DDX_Text(pDX, IDC_AUDIO_ID, m_strId);
    DDX_Text(pDX, IDC_AUDIO_FILENAME, m_strFileName);
}

bool CAudioTestDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CLexariumApp* app = AfxGetLexariumApp())
        m_strFolder = app->m_strMissionFolder;
    UpdateData(false);
    return true;
}

void CAudioTestDlg::ShowEntry(std::int32_t position, bool play, bool female) {
    if (g_pDocument == nullptr)
        return;
    const TextResourceEntry* entry =
        g_pDocument->m_textResources.GetEntry(static_cast<std::uint32_t>(position));
    if (entry == nullptr)
        return;

    // Looking up also while only stepping checks each file and may repair the folder.
    CLexariumApp* app = AfxGetLexariumApp();
    const CString folderBefore = app != nullptr ? app->m_strMissionFolder : CString();
    CString path;
    const bool found = FindRecordingInMissionFolder(*entry, female, path);
    if (app != nullptr && app->m_strMissionFolder != folderBefore)
        m_strFolder = app->m_strMissionFolder;
    if (found && play)
        PlayFile(path);
    // The panel has no status bar of its own: the line goes to the frame's,
    // below the panel, until the next step or press.
    if (CFrameWnd* frame = AfxGetMainWnd()) {
        if (play && !found)
            frame->ShowStatusLine(RecordingNotFoundLine(*entry, female));
        else
            frame->ClearStatusLine();
    }

    // What was not found shows as stored, which is how the user sees it.
    m_strFileName = found ? path : FromUtf8(entry->audioFile);
    m_strText = FromUtf8(entry->text);
    m_strIdentifier = FromUtf8(entry->identifier);
    m_strSpeaker = FromUtf8(entry->speaker);
    m_strId = QString::number(static_cast<std::int32_t>(entry->id));
    UpdateData(false);
}

void CAudioTestDlg::PlayFile(CString path) {
    HWND player = MCIWndCreateA(this, AfxGetInstanceHandle(),
                                WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU, ToUtf8(path).c_str());
    SetWindowPos(player, HWND_TOP, 12, 60, 625, 26, SWP_SHOWWINDOW);
    SendMessageA(player, MCI_PLAY, 0, 0);
}

void CAudioTestDlg::OnNext() {
    ++m_nPosition;
    const std::uint32_t count =
        g_pDocument != nullptr ? g_pDocument->m_textResources.GetEntryCount() : 0;
    if (count > 0 && static_cast<std::uint32_t>(m_nPosition) < count) {
        ShowEntry(m_nPosition, false, false);
        return;
    }
    // Past the last entry: the last one stays shown and current.
    m_nPosition = static_cast<std::int32_t>(count) - 1;
}

void CAudioTestDlg::OnPrior() {
    --m_nPosition;
    if (m_nPosition < 0) {
        m_nPosition = 0;
        return;
    }
    ShowEntry(m_nPosition, false, false);
}

// Every keystroke sets the folder that all lookups use, the editor's included,
// whether the panel is then closed with OK or with Cancel.
void CAudioTestDlg::OnChangeFolder() {
    UpdateData(true);
    if (CLexariumApp* app = AfxGetLexariumApp())
        app->m_strMissionFolder = m_strFolder;
}

void CAudioTestDlg::OnListen(UINT nID) {
    ShowEntry(m_nPosition, true, nID == IDC_AUDIO_LISTEN_FEMALE);
}

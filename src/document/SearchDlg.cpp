// The search dialog and its template.
#include "SearchDlg.h"

#include "DialogTemplate.h"
#include "EntryTree.h"
#include "LexariumDoc.h"
#include "Prompts.h"
#include "Resources.h"

namespace {

// Each field button opens a group of its own, so clicking one does not clear
// the others; UpdateFieldButtons keeps exactly one marked.
constexpr DWORD kFieldButtonStyle = WS_GROUP;

const DLGTEMPLATE kSearchTemplate{
    "Search",
    290,
    98,
    "Tahoma",
    8,
    DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    {
        {IDC_SEARCH_TEXT, CtlKind::Edit, "", QRect(42, 7, 180, 14),
         WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL},
        {IDC_SEARCH_IN_ID, CtlKind::RadioButton, "search in id", QRect(42, 29, 52, 10),
         kFieldButtonStyle},
        {IDC_SEARCH_IN_TEXT, CtlKind::RadioButton, "search in text", QRect(42, 41, 58, 10),
         kFieldButtonStyle},
        {IDC_SEARCH_IN_IDENTIFIER, CtlKind::RadioButton, "search in identifier",
         QRect(42, 53, 73, 10), kFieldButtonStyle},
        {IDC_SEARCH_IN_AUDIO, CtlKind::RadioButton, "search in audio path", QRect(42, 65, 80, 10),
         kFieldButtonStyle},
        {IDC_SEARCH_IN_COMMENT, CtlKind::RadioButton, "search in comment", QRect(42, 77, 75, 10),
         kFieldButtonStyle},
        {IDOK, CtlKind::DefPushButton, "Search", QRect(233, 7, 50, 14), WS_TABSTOP},
        {IDCANCEL, CtlKind::PushButton, "Cancel", QRect(233, 24, 50, 14), 0},
        {IDC_STATIC, CtlKind::Static, "search:", QRect(7, 10, 24, 8), 0},
    },
};

// The template is registered with the resources before the dialog looks it up.
UINT RegisteredSearchTemplate() {
    AfxGetResources().dialogs[IDD_SEARCH] = &kSearchTemplate;
    return IDD_SEARCH;
}

} // namespace

const DLGTEMPLATE& SearchDlgTemplate() {
    return kSearchTemplate;
}

BEGIN_MESSAGE_MAP(CSearchDlg, CDialog)
ON_BN_CLICKED(IDC_SEARCH_IN_ID, &CSearchDlg::OnSearchInId)
ON_BN_CLICKED(IDC_SEARCH_IN_TEXT, &CSearchDlg::OnSearchInText)
ON_BN_CLICKED(IDC_SEARCH_IN_IDENTIFIER, &CSearchDlg::OnSearchInIdentifier)
ON_BN_CLICKED(IDC_SEARCH_IN_AUDIO, &CSearchDlg::OnSearchInAudio)
ON_BN_CLICKED(IDC_SEARCH_IN_COMMENT, &CSearchDlg::OnSearchInComment)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(QWidget* pParent) : CDialog(RegisteredSearchTemplate(), pParent) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_IN_IDENTIFIER, m_btnSearchInIdentifier);
    DDX_Control(pDX, IDC_SEARCH_IN_COMMENT, m_btnSearchInComment);
    DDX_Control(pDX, IDC_SEARCH_IN_AUDIO, m_btnSearchInAudio);
    DDX_Control(pDX, IDC_SEARCH_IN_TEXT, m_btnSearchInText);
    DDX_Control(pDX, IDC_SEARCH_IN_ID, m_btnSearchInId);
    DDX_Text(pDX, IDC_SEARCH_TEXT, m_strSearch);
}

bool CSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    UpdateFieldButtons();
    return true;
}

void CSearchDlg::UpdateFieldButtons() {
    m_btnSearchInId.SetCheck(m_nSearchField == SEARCH_IN_ID ? 1 : 0);
    m_btnSearchInText.SetCheck(m_nSearchField == SEARCH_IN_TEXT ? 1 : 0);
    m_btnSearchInIdentifier.SetCheck(m_nSearchField == SEARCH_IN_IDENTIFIER ? 1 : 0);
    m_btnSearchInAudio.SetCheck(m_nSearchField == SEARCH_IN_AUDIO ? 1 : 0);
    m_btnSearchInComment.SetCheck(m_nSearchField == SEARCH_IN_COMMENT ? 1 : 0);
}

void CSearchDlg::ChooseField(int nField) {
    m_nSearchField = nField;
    UpdateFieldButtons();
}

void CSearchDlg::OnSearchInId() {
    ChooseField(SEARCH_IN_ID);
}
void CSearchDlg::OnSearchInText() {
    ChooseField(SEARCH_IN_TEXT);
}
void CSearchDlg::OnSearchInIdentifier() {
    ChooseField(SEARCH_IN_IDENTIFIER);
}
void CSearchDlg::OnSearchInAudio() {
    ChooseField(SEARCH_IN_AUDIO);
}
void CSearchDlg::OnSearchInComment() {
    ChooseField(SEARCH_IN_COMMENT);
}

void CSearchDlg::OnOK() {
    UpdateData(true);
    CLexariumDoc* pDoc = g_pDocument; // not owned
    if (pDoc == nullptr)
        return;
    const int pos = pDoc->SearchEntries(m_strSearch, m_nSearchField, m_nNextStart);
    if (pos == -1) {
        m_nNextStart = -1;
        AfxMessageBox("No search result found!", MB_OK);
        return;
    }
    m_nNextStart = pos + 1;
    const TextResourceEntry* pEntry = pDoc->m_textResources.GetEntry(pos); // not owned
    if (pEntry != nullptr && g_pTreeView != nullptr)
        g_pTreeView->SelectEntryById(static_cast<int>(pEntry->id));
}

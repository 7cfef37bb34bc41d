// The search dialog and its template.
#include "SearchDlg.h"

#include "DialogTemplate.h"
#include "EntryTree.h"
#include "LexariumDoc.h"
#include "Prompts.h"
#include "Resources.h"

#include <iterator>

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

namespace {

// Each field's button, in the order of their ids.
struct FieldButton {
    int id;
    int field;
    CButton CSearchDlg::*button;
};

const FieldButton kFieldButtons[] = {
    {IDC_SEARCH_IN_ID, SEARCH_IN_ID, &CSearchDlg::m_btnSearchInId},
    {IDC_SEARCH_IN_TEXT, SEARCH_IN_TEXT, &CSearchDlg::m_btnSearchInText},
    {IDC_SEARCH_IN_IDENTIFIER, SEARCH_IN_IDENTIFIER, &CSearchDlg::m_btnSearchInIdentifier},
    {IDC_SEARCH_IN_AUDIO, SEARCH_IN_AUDIO, &CSearchDlg::m_btnSearchInAudio},
    {IDC_SEARCH_IN_COMMENT, SEARCH_IN_COMMENT, &CSearchDlg::m_btnSearchInComment},
};

} // namespace

// A button click is a command (BN_CLICKED is CN_COMMAND): the five buttons'
// ids follow each other.
BEGIN_MESSAGE_MAP(CSearchDlg, CDialog)
ON_COMMAND_RANGE(IDC_SEARCH_IN_ID, IDC_SEARCH_IN_COMMENT, &CSearchDlg::OnSearchIn)
END_MESSAGE_MAP()

static_assert(IDC_SEARCH_IN_COMMENT - IDC_SEARCH_IN_ID + 1 == std::size(kFieldButtons));

CSearchDlg::CSearchDlg(QWidget* pParent) : CDialog(RegisteredSearchTemplate(), pParent) {}

void CSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (const FieldButton& button : kFieldButtons)
        DDX_Control(pDX, button.id, this->*button.button);
    DDX_Text(pDX, IDC_SEARCH_TEXT, m_strSearch);
}

bool CSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    UpdateFieldButtons();
    return true;
}

void CSearchDlg::UpdateFieldButtons() {
    for (const FieldButton& button : kFieldButtons)
        (this->*button.button).SetCheck(m_nSearchField == button.field ? 1 : 0);
}

void CSearchDlg::OnSearchIn(UINT nID) {
    for (const FieldButton& button : kFieldButtons)
        if (button.id == static_cast<int>(nID))
            m_nSearchField = button.field;
    UpdateFieldButtons();
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

#include "CheckOptionsDlg.h"

#include "DialogTemplate.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace {

const DLGTEMPLATE kCheckOptionsTemplate{
    "Check Options",
    260,
    78,
    "Tahoma",
    8,
    DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    {
        {IDC_STATIC, CtlKind::Static,
         "Besides the entries, the check looks at:", QRect(7, 7, 190, 8), 0},
        {IDC_CHECK_RECORDINGS, CtlKind::CheckBox, "the &recordings in the mission folder",
         QRect(14, 21, 180, 10), WS_TABSTOP},
        {IDC_CHECK_FOLDER, CtlKind::Static, "", QRect(26, 34, 170, 8), 0},
        {IDOK, CtlKind::DefPushButton, "OK", QRect(203, 7, 50, 14), WS_TABSTOP},
        {IDCANCEL, CtlKind::PushButton, "Cancel", QRect(203, 24, 50, 14), WS_TABSTOP},
    },
};

UINT RegisteredCheckOptionsTemplate() {
    AfxGetResources().dialogs[IDD_CHECK_OPTIONS] = &kCheckOptionsTemplate;
    return IDD_CHECK_OPTIONS;
}

} // namespace

CCheckOptionsDlg::CCheckOptionsDlg(const CCheckSettings& settings, const CString& missionFolder,
                                   QWidget* pParent)
    : CDialog(RegisteredCheckOptionsTemplate(), pParent), m_settings(settings),
      m_strFolder(missionFolder) {}

void CCheckOptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHECK_RECORDINGS, m_btnRecordings);
    if (pDX->m_bSaveAndValidate)
        m_settings.bRecordings = m_btnRecordings.GetCheck() != 0;
    else
        m_btnRecordings.SetCheck(m_settings.bRecordings ? 1 : 0);
}

bool CCheckOptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CHECK_FOLDER,
                   m_strFolder.isEmpty()
                       ? QStringLiteral("(the mission folder is empty: the current folder)")
                       : QStringLiteral("(%1)").arg(m_strFolder));
    return true;
}

// Modal dialogs on templates.

#include "Dialog.h"

#include "DialogTemplate.h"
#include "EditControl.h"
#include "Prompts.h"
#include "Resources.h"
#include "WinApp.h"

#include <QPushButton>

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, QWidget* pParentWnd)
    : QDialog(pParentWnd != nullptr ? pParentWnd : AfxGetMainWidget()), m_nIDHelp(nIDTemplate) {
    const auto& dialogs = AfxGetResources().dialogs;
    const auto it = dialogs.find(nIDTemplate);
    m_pTemplate = it == dialogs.end() ? nullptr : it->second;
}

bool CDialog::CreateFromTemplate() {
    if (m_pTemplate == nullptr)
        return false;
    if (m_bCreated)
        return true; // built by an earlier DoModal
    m_bCreated = true;
    CreateControls(*m_pTemplate, this);
    setWindowTitle(m_pTemplate->caption);
    setFixedSize(CDialogUnits(AfxTemplateFont(*m_pTemplate))
                     .MapDialogSize(m_pTemplate->cx, m_pTemplate->cy));
    return true;
}

INT_PTR CDialog::DoModal() {
    if (!CreateFromTemplate())
        return -1;
    m_bEnded = false;
    m_nModalResult = -1;
    if (OnInitDialog()) {
        // The first field that takes the tab gets the focus.
        for (const DLGITEMTEMPLATE& item : m_pTemplate->items) {
            QWidget* control = GetDlgItem(item.id);
            if (control != nullptr && (item.style & WS_TABSTOP) && control->isEnabled()) {
                control->setFocus(Qt::TabFocusReason);
                AfxEditSetSel(control, 0, -1);
                break;
            }
        }
    }
    INT_PTR result = m_nModalResult;
    if (!m_bEnded)
        result = AfxGetApp()->GetPromptHandler().RunModalDialog(*this);
    if (!m_bEnded) // the handler gave up without ending the dialog
        result = IDCANCEL;
    hide();
    return result;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return; // the refused field keeps the focus; the dialog stays open
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEnded = true;
    QDialog::done(nResult);
}

INT_PTR CDialog::RunModalLoop() {
    if (!m_bEnded)
        exec();
    return m_nModalResult;
}

void CDialog::reject() {
    OnCancel();
}

std::function<void()> CDialog::DefaultButtonHandler() {
    return [this] {
        for (QPushButton* button : findChildren<QPushButton*>()) {
            if (button->isDefault() && button->isEnabled()) {
                button->click();
                return;
            }
        }
    };
}

// Controls by id, notification dispatch and the data exchange entry point.

#include "Wnd.h"

#include "DataExchange.h"
#include "DialogTemplate.h"
#include "EditControl.h"
#include "WindowSystem.h"

#include <QAbstractButton>
#include <QScreen>

namespace {

// The windows a window owns stay above it. A window manager keeps them there;
// without one, a window shown later would cover them.
void RaiseOwnedWindows(QWidget* owner) {
    for (QWidget* child : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() && child->isVisible())
            child->raise();
    }
}

} // namespace

QWidget* CWnd::GetDlgItem(int nID) const {
    const auto it = m_controls.find(nID);
    return it == m_controls.end() ? nullptr : it->second.data();
}

void CWnd::SetDlgItemText(int nID, const CString& text) {
    if (QWidget* control = GetDlgItem(nID))
        AfxSetWindowText(control, text);
}

CString CWnd::GetDlgItemText(int nID) const {
    return AfxGetWindowText(GetDlgItem(nID));
}

void CWnd::CheckDlgButton(int nID, int nCheck) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(nID))) {
        if (button->isChecked() != (nCheck != 0))
            button->setChecked(nCheck != 0);
    }
}

int CWnd::IsDlgButtonChecked(int nID) const {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(nID));
    return button != nullptr && button->isChecked() ? 1 : 0;
}

bool CWnd::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    struct Lockout {
        int& count;
        explicit Lockout(int& c) : count(c) { ++count; }
        ~Lockout() { --count; }
    } lockout(m_nLockoutNotify);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return false; // the refused field has shown its message and has the focus
    }
    return true;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::OnControlNotify(int nID, int nCode) {
    if (m_nLockoutNotify > 0)
        return;
    OnCmdMsg(static_cast<UINT>(nID), nCode, nullptr, nullptr);
}

void CWnd::ShowWindow(int nCmdShow) {
    QWidget* widget = GetSafeWidget();
    switch (nCmdShow) {
    case SW_HIDE:
        widget->hide();
        break;
    case SW_SHOWMAXIMIZED: {
        // The window keeps its normal size for when the user restores it.
        QScreen* screen = widget->screen();
        widget->showMaximized();
        // Without a window manager to honour the request the window fills the screen itself.
        if (screen != nullptr && !AfxHasWindowManager())
            widget->setGeometry(screen->availableGeometry());
        break;
    }
    case SW_SHOWNORMAL:
        widget->showNormal();
        break;
    default:
        widget->show();
        break;
    }
    if (nCmdShow != SW_HIDE && widget->isWindow() && !AfxHasWindowManager())
        RaiseOwnedWindows(widget);
}

void CWnd::SetWindowText(const CString& text) {
    GetSafeWidget()->setWindowTitle(text);
}

CString CWnd::GetWindowText() {
    return GetSafeWidget()->windowTitle();
}

void CWnd::CreateControls(const DLGTEMPLATE& dlgTemplate, QWidget* pParent) {
    for (const auto& [id, control] : AfxCreateDialogControls(dlgTemplate, pParent, this))
        m_controls[id] = control;
}

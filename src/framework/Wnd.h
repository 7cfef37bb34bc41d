#pragma once

// What windows with controls share (dialogs, form views, frames): controls
// addressed by id, their notifications routed into the handler tables, and
// dialog data exchange. Notifications of a window's controls are ignored while
// UpdateData moves data between its members and its controls.

#include "CmdTarget.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>

class CDataExchange;
struct DLGTEMPLATE;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The Qt widget of this window.
    virtual QWidget* GetSafeWidget() = 0;

    // The control with this id, or null.
    QWidget* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, const CString& text);
    CString GetDlgItemText(int nID) const;
    void CheckDlgButton(int nID, int nCheck);
    int IsDlgButtonChecked(int nID) const;

    // Moves data between members and controls: false writes the members into
    // the controls, true reads and checks the controls; false is returned when
    // a field was refused (its message has been shown).
    bool UpdateData(bool bSaveAndValidate = true);
    virtual void DoDataExchange(CDataExchange* pDX);

    // A control reports a notification (EN_CHANGE, EN_KILLFOCUS, BN_CLICKED).
    void OnControlNotify(int nID, int nCode);
    bool IsNotifyLocked() const { return m_nLockoutNotify > 0; }

    // What Enter in a multi-line field without ES_WANTRETURN does; none by default.
    virtual std::function<void()> DefaultButtonHandler() { return {}; }

    void ShowWindow(int nCmdShow);
    void SetWindowText(const CString& text);
    CString GetWindowText();

protected:
    // Builds the template's controls inside pParent (the window itself or an inner widget).
    void CreateControls(const DLGTEMPLATE& dlgTemplate, QWidget* pParent);

private:
    std::map<int, QPointer<QWidget>> m_controls;
    int m_nLockoutNotify = 0;
};

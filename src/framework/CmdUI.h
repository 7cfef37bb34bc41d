#pragma once

// The object an enable handler receives: it carries the command id and applies
// Enable, SetCheck and SetText to whatever shows the command (a menu item or
// toolbar button, both one QAction, or a status-bar pane). Only what the handler
// set is applied, and only when it differs from what is shown.

#include "AfxDefs.h"

class CCmdTarget;
class QAction;
class QLabel;
class QMenu;

class CCmdUI {
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool bOn = true);
    virtual void SetCheck(int nCheck = 1); // 0 unchecked, 1 checked
    virtual void SetText(const CString& text);

    // Asks the target (and its route) for the state; a command that nobody
    // handles is disabled. Returns whether the command ends up enabled.
    bool DoUpdate(CCmdTarget* pTarget, bool bDisableIfNoHandler = true);

    bool IsEnabled() const { return m_bEnabled; }

    UINT m_nID;
    QAction* m_pAction = nullptr; // not owned
    QLabel* m_pPane = nullptr;    // not owned; a status-bar pane
    QMenu* m_pMenu = nullptr;     // not owned; the menu that is about to show

private:
    bool m_bEnableChanged = false;
    bool m_bEnabled = true;
};

// Applying enable handlers' results to actions and status-bar panes.

#include "CmdUI.h"

#include "CmdTarget.h"

#include <QAction>
#include <QLabel>

void CCmdUI::Enable(bool bOn) {
    m_bEnableChanged = true;
    m_bEnabled = bOn;
    if (m_pAction != nullptr && m_pAction->isEnabled() != bOn)
        m_pAction->setEnabled(bOn);
    if (m_pPane != nullptr && m_pPane->isEnabled() != bOn) {
        // A disabled indicator shows no text; its width stays reserved.
        m_pPane->setEnabled(bOn);
        m_pPane->setText(bOn ? m_pPane->property("paneText").toString() : QString());
    }
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pAction == nullptr)
        return;
    const bool checked = nCheck != 0;
    if (!m_pAction->isCheckable())
        m_pAction->setCheckable(true);
    if (m_pAction->isChecked() != checked)
        m_pAction->setChecked(checked);
}

void CCmdUI::SetText(const CString& text) {
    if (m_pAction != nullptr && m_pAction->text() != text)
        m_pAction->setText(text);
    if (m_pPane != nullptr && m_pPane->property("paneText").toString() != text) {
        m_pPane->setProperty("paneText", text);
        if (m_pPane->isEnabled())
            m_pPane->setText(text);
    }
}

bool CCmdUI::DoUpdate(CCmdTarget* pTarget, bool bDisableIfNoHandler) {
    m_bEnableChanged = false;
    const bool handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!handled || !m_bEnableChanged) {
        // No enable handler said anything: enabled exactly when a command handler exists.
        AFX_CMDHANDLERINFO info;
        const bool hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info);
        if (hasHandler || bDisableIfNoHandler)
            Enable(hasHandler);
    }
    return m_bEnabled;
}

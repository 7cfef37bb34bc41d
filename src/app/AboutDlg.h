#pragma once

// The About box (dialog 100): the program's picture, its title and version,
// and three notice lines for a user who reports a problem: who makes the
// program, the Qt it runs on, and where its settings are kept.

#include "Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(QWidget* pParentWnd = nullptr);
    ~CAboutDlg() override;

    CString m_strUnicode; // shown in control 1042, which the template fills with "UNICODE"

    DECLARE_MESSAGE_MAP()

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The settings line wraps where the path is too long for it, and the box
    // grows to show it whole.
    void ShowSettingsWhole();
};

// The notice lines as the box shows them, before they are fitted to its width
// (the settings line wraps instead).
CString AboutCopyrightLine();
CString AboutQtLine();
CString AboutSettingsLine();

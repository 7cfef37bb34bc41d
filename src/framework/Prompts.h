#pragma once

// Everything that asks the user goes through one prompt handler, owned by the
// application object: message boxes (among them the save question), file
// dialogs and modal dialogs. The Qt handler shows real windows; a test installs
// a handler of its own that records each prompt and answers it.

#include "AfxDefs.h"

class CDialog;
class CFileDialog;

class CPromptHandler {
public:
    virtual ~CPromptHandler() = default;

    // Returns the button pressed: IDOK, IDYES, IDNO or IDCANCEL.
    virtual int MessageBox(const CString& text, const CString& caption, UINT nType) = 0;
    // Lets the user choose a file; sets dlg.m_strPathName and returns IDOK, or IDCANCEL.
    virtual int FileDialog(CFileDialog& dlg) = 0;
    // Runs a built, initialised dialog until EndDialog; returns its result.
    virtual INT_PTR RunModalDialog(CDialog& dlg) = 0;
};

class CQtPromptHandler : public CPromptHandler {
public:
    int MessageBox(const CString& text, const CString& caption, UINT nType) override;
    int FileDialog(CFileDialog& dlg) override;
    INT_PTR RunModalDialog(CDialog& dlg) override;
};

// A message box with the application's title as its caption.
int AfxMessageBox(const CString& text, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = UINT(-1));

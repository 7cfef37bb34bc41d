#pragma once

// The application object: start-up in its fixed order, the splash's first
// look at every message, the About command and the mission folder shared by
// the audio parts for the run.

#include "WinApp.h"

class CLexariumApp : public CWinApp {
public:
    CLexariumApp();
    ~CLexariumApp() override;

    bool InitInstance() override;
    bool PreTranslateMessage(MSG* pMsg) override;
    // A message box never comes up under the start-up picture: the picture
    // goes first, so the first click or key reaches the box.
    int DoMessageBox(const CString& text, UINT nType, UINT nIDPrompt) override;
    void UnregisterShellFileTypes() override;

    void OnAppAbout();

    // The folder under which audio files are looked up; not stored between runs.
    CString m_strMissionFolder;

    DECLARE_MESSAGE_MAP()
};

// The application object of the running program.
CLexariumApp* AfxGetLexariumApp();

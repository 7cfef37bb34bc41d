// Start-up of the editor.

#include "LexariumApp.h"

#include "AboutDlg.h"
#include "AppResources.h"
#include "RecordingLookup.h"
#include "AudioTestDlg.h"
#include "DocTemplate.h"
#include "FrameWnd.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "MainFrame.h"
#include "Prompts.h"
#include "ResourceIds.h"
#include "SplashWnd.h"

#include <QFile>
#include <QStandardPaths>

BEGIN_MESSAGE_MAP(CLexariumApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, &CLexariumApp::OnAppAbout)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CLexariumApp::CLexariumApp() {
    RegisterLexariumResources();
    // The editor form looks recordings up under this folder too.
    g_pMissionFolder = &m_strMissionFolder;
    CLexariumDoc::s_pfnRunAudioTest = [] {
        CAudioTestDlg dlg(nullptr);
        dlg.DoModal();
    };
    CMainFrame::s_pfnShowSplashScreen = [](CFrameWnd* frame) {
        CSplashWnd::ShowSplashScreen(frame);
    };
}

CLexariumApp::~CLexariumApp() {
    if (g_pMissionFolder == &m_strMissionFolder)
        g_pMissionFolder = nullptr;
}

CLexariumApp* AfxGetLexariumApp() {
    return dynamic_cast<CLexariumApp*>(AfxGetApp());
}

bool CLexariumApp::InitInstance() {
    {
        // This first look at the command line only decides about the splash.
        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        CSplashWnd::EnableSplashScreen(cmdInfo.m_bShowSplash);
    }
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    SetRegistryKey(QStringLiteral("Local AppWizard-Generated Applications"));
    LoadStdProfileSettings(10);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CLexariumDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CLexariumView)));
    EnableShellOpen();
    RegisterShellFileTypes(true);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;
    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainWnd->update();
    m_pMainWnd->DragAcceptFiles(true);
    return true;
}

bool CLexariumApp::PreTranslateMessage(MSG* pMsg) {
    if (CSplashWnd::PreTranslateAppMessage(pMsg))
        return true;
    return CWinApp::PreTranslateMessage(pMsg);
}

int CLexariumApp::DoMessageBox(const CString& text, UINT nType, UINT nIDPrompt) {
    if (CSplashWnd::s_pInstance != nullptr)
        CSplashWnd::s_pInstance->HideSplashScreen();
    return CWinApp::DoMessageBox(text, nType, nIDPrompt);
}

void CLexariumApp::UnregisterShellFileTypes() {
    // The association that "cmake --install" puts into the system belongs to
    // the package; the user's own copies under the data folder are removed.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QFile::remove(data + QStringLiteral("/applications/lexarium.desktop"));
    QFile::remove(data + QStringLiteral("/mime/packages/lexarium-trs.xml"));
}

void CLexariumApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

#pragma once

// The application object: start-up (InitInstance), the message hook that sees
// every key and mouse press first (PreTranslateMessage, which also translates
// the frame's accelerators), the idle pass that runs the toolbar's and status
// bar's enable handlers once after something changed, the document templates
// with New and Open, the settings with the recent-file list, the command line,
// and the prompt handler through which everything asks the user.

#include "CmdTarget.h"
#include "CommandLineInfo.h"

#include <QStringList>
#include <memory>
#include <vector>

class CAppMessageHook;
class CCmdUI;
class CDocTemplate;
class CDocument;
class CFrameWnd;
class CPromptHandler;
class CRecentFileList;
class QEvent;
class QObject;
class QSettings;
class QWidget;

// Messages as PreTranslateMessage sees them.
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1; // a press on a window's frame or title
constexpr UINT WM_NCRBUTTONDOWN = 0x00A4;
constexpr UINT WM_NCMBUTTONDOWN = 0x00A7;

struct MSG {
    QWidget* hwnd; // not owned; the widget the event is for
    UINT message;  // one of the messages above
    QEvent* event; // not owned
};

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const CString& appName = CString());
    ~CWinApp() override;

    // Installs the message hook; call once the QApplication exists. The
    // arguments are the command line without the program name.
    void InitApplication(const QStringList& arguments);
    virtual bool InitInstance();
    virtual int ExitInstance();
    // Runs the message loop until the main window closes.
    int Run();

    // First look at every key and mouse press; true consumes it. The base
    // translates the main frame's accelerators.
    virtual bool PreTranslateMessage(MSG* pMsg);
    // The idle pass: enable handlers of the toolbar and status bar, the caption.
    virtual bool OnIdle(long lCount);
    // Something changed that enable handlers may look at: one idle pass follows.
    void RequestIdleUpdate();
    bool IsIdleUpdatePending() const { return m_bIdlePending; }

    void SetRegistryKey(const CString& key);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    std::unique_ptr<QSettings> OpenProfile() const;

    void AddDocTemplate(CDocTemplate* pTemplate); // takes ownership
    CDocTemplate* GetFirstDocTemplate() const;
    virtual CDocument* OpenDocumentFile(const CString& path);
    virtual void AddToRecentFileList(const CString& path);
    bool DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, bool bOpenFileDialog,
                          CDocTemplate* pTemplate);
    bool SaveAllModified();

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    bool ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    // Removes the settings (and, in derived classes, the file association).
    virtual void Unregister();
    virtual void UnregisterShellFileTypes();
    virtual void RegisterShellFileTypes(bool bCompat = false);
    void EnableShellOpen() {}

    CFrameWnd* GetMainWnd() const { return m_pMainWnd; }

    // Every message box of the program comes here first (AfxMessageBox); the
    // base asks the prompt handler, with the application's name as caption.
    virtual int DoMessageBox(const CString& text, UINT nType, UINT nIDPrompt);

    CPromptHandler& GetPromptHandler();
    // Installs another prompt handler and returns the previous one.
    std::unique_ptr<CPromptHandler> SetPromptHandler(std::unique_ptr<CPromptHandler> handler);

    // Deletes the main frame, the templates and their documents, and the hook;
    // after this the application object holds no windows.
    void ReleaseFrameAndDocuments();

    // Called by the main frame once it has agreed to close.
    virtual void OnMainFrameClosed();

    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

    CString m_pszAppName;
    CString m_pszRegistryKey;
    CFrameWnd* m_pMainWnd = nullptr; // owned
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    int m_nCmdShow = SW_SHOWNORMAL;
    QStringList m_arguments;

    DECLARE_MESSAGE_MAP()

private:
    friend class CAppMessageHook;
    bool HookEvent(QObject* pReceiver, QEvent* pEvent);
    bool HookKeyEvent(QWidget* pWidget, QEvent* pEvent);

    // The key last offered before its KeyPress (as a possible shortcut), and
    // whether PreTranslateMessage took it.
    struct SeenKey {
        int key = 0;
        unsigned modifiers = 0;
        unsigned long long timestamp = 0;
        bool consumed = false;
        bool valid = false;
    } m_seenKey;

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CPromptHandler> m_pPromptHandler;
    std::unique_ptr<CAppMessageHook> m_pHook;
    bool m_bIdlePending = false;
    UINT m_nMaxMRU = 0;
};

CWinApp* AfxGetApp();
CFrameWnd* AfxGetMainWnd();
QWidget* AfxGetMainWidget();

// No-ops on this platform; kept so start-up reads the same everywhere.
inline void AfxEnableControlContainer() {}
inline bool Enable3dControlsStatic() {
    return true;
}

// Creates the QApplication, runs InitInstance and the message loop, then ExitInstance.
int AfxWinMain(CWinApp& app, int argc, char** argv);

#pragma once

// A small application on the framework for its tests: a document that saves
// its text to a file, a frame with toolbar, status bar and a two-pane
// splitter of line-edit views, and commands handled at each stage of the route.

#include "AfxDefs.h"
#include "ControlBars.h"
#include "Document.h"
#include "FrameWnd.h"
#include "SplitterWnd.h"
#include "View.h"
#include "WinApp.h"

#include <QLineEdit>

constexpr UINT IDR_TEST = 200;
constexpr UINT ID_TEST_ALL = 40001;   // handled by view, document, frame and application
constexpr UINT ID_TEST_DOC = 40002;   // document, frame, application
constexpr UINT ID_TEST_FRAME = 40003; // frame, application
constexpr UINT ID_TEST_APP = 40004;   // application only
constexpr UINT ID_TEST_NONE = 40005;  // nobody
constexpr UINT ID_TEST_GATED = 40006; // document, enabled while m_bAllow

// What the handlers did, in order ("view 40001;doc 40002;...").
extern CString g_testLog;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)

public:
    bool OnNewDocument() override;
    bool OnOpenDocument(const CString& path) override;
    bool OnSaveDocument(const CString& path) override;

    void OnTestAll() { g_testLog += "doc all;"; }
    void OnTestDoc() { g_testLog += "doc doc;"; }
    void OnTestGated() { g_testLog += "doc gated;"; }
    void OnUpdateTestGated(CCmdUI* pCmdUI);

    CString m_strText;
    bool m_bAllow = true;
    bool m_bFailSave = false;        // the save fails
    bool m_bLeaveFileOnFail = false; // a failed save leaves a partial file behind
    int m_nUpdateCalls = 0;

    DECLARE_MESSAGE_MAP()
};

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)

public:
    CTestView();
    void SetFocusToView() override { m_pEdit->setFocus(); }
    void OnInitialUpdate() override { ++m_nInitialUpdates; }
    void OnTestAll() { g_testLog += "view all;"; }

    QLineEdit* m_pEdit;
    int m_nInitialUpdates = 0;

    DECLARE_MESSAGE_MAP()

protected:
    void resizeEvent(QResizeEvent*) override;
};

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)

public:
    int OnCreate(LPCREATESTRUCT lpcs) override;
    bool OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    void OnTestAll() { g_testLog += "frame all;"; }
    void OnTestDoc() { g_testLog += "frame doc;"; }
    void OnTestFrame() { g_testLog += "frame frame;"; }

    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CSplitterWnd m_wndSplitter;

    DECLARE_MESSAGE_MAP()
};

class CTestApp : public CWinApp {
public:
    CTestApp();
    bool InitInstance() override;
    bool PreTranslateMessage(MSG* pMsg) override;

    void OnTestAll() { g_testLog += "app all;"; }
    void OnTestDoc() { g_testLog += "app doc;"; }
    void OnTestFrame() { g_testLog += "app frame;"; }
    void OnTestApp() { g_testLog += "app app;"; }

    CTestDoc* Doc() const;
    CTestFrame* Frame() const;

    std::vector<UINT> m_seenMessages; // what PreTranslateMessage saw

    DECLARE_MESSAGE_MAP()
};

// Registers the test resources (menu, accelerators, toolbar, strings).
void RegisterTestResources();

// The framework's test application.

#include "TestApp.h"

#include "CmdUI.h"
#include "DocTemplate.h"
#include "Resources.h"

#include <QFile>
#include <QResizeEvent>

CString g_testLog;

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(ID_TEST_ALL, &CTestDoc::OnTestAll)
ON_COMMAND(ID_TEST_DOC, &CTestDoc::OnTestDoc)
ON_COMMAND(ID_TEST_GATED, &CTestDoc::OnTestGated)
ON_UPDATE_COMMAND_UI(ID_TEST_GATED, &CTestDoc::OnUpdateTestGated)
END_MESSAGE_MAP()

bool CTestDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return false;
    m_strText.clear();
    return true;
}

bool CTestDoc::OnOpenDocument(const CString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_strText = QString::fromUtf8(file.readAll());
    SetModifiedFlag(false);
    return true;
}

bool CTestDoc::OnSaveDocument(const CString& path) {
    if (m_bFailSave) {
        if (m_bLeaveFileOnFail) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write("partial");
        }
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(m_strText.toUtf8());
    SetModifiedFlag(false);
    return true;
}

void CTestDoc::OnUpdateTestGated(CCmdUI* pCmdUI) {
    ++m_nUpdateCalls;
    pCmdUI->Enable(m_bAllow);
}

IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
ON_COMMAND(ID_TEST_ALL, &CTestView::OnTestAll)
END_MESSAGE_MAP()

CTestView::CTestView() : m_pEdit(new QLineEdit(this)) {
    setFocusProxy(m_pEdit);
}

void CTestView::resizeEvent(QResizeEvent*) {
    m_pEdit->setGeometry(rect());
}

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_COMMAND(ID_TEST_ALL, &CTestFrame::OnTestAll)
ON_COMMAND(ID_TEST_DOC, &CTestFrame::OnTestDoc)
ON_COMMAND(ID_TEST_FRAME, &CTestFrame::OnTestFrame)
END_MESSAGE_MAP()

int CTestFrame::OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP) ||
        !m_wndToolBar.LoadToolBar(IDR_TEST))
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

bool CTestFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    return m_wndSplitter.CreateStatic(this, 1, 2) &&
           m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CTestView), QSize(250, 0), pContext) &&
           m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CTestView), QSize(350, 1), pContext);
}

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
ON_COMMAND(ID_TEST_ALL, &CTestApp::OnTestAll)
ON_COMMAND(ID_TEST_DOC, &CTestApp::OnTestDoc)
ON_COMMAND(ID_TEST_FRAME, &CTestApp::OnTestFrame)
ON_COMMAND(ID_TEST_APP, &CTestApp::OnTestApp)
END_MESSAGE_MAP()

CTestApp::CTestApp() {
    RegisterTestResources();
}

bool CTestApp::InitInstance() {
    SetRegistryKey(QStringLiteral("Lexarium Tests"));
    LoadStdProfileSettings(10);
    AddDocTemplate(new CSingleDocTemplate(IDR_TEST, RUNTIME_CLASS(CTestDoc),
                                          RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->DragAcceptFiles(true);
    return true;
}

bool CTestApp::PreTranslateMessage(MSG* pMsg) {
    m_seenMessages.push_back(pMsg->message);
    return CWinApp::PreTranslateMessage(pMsg);
}

CTestDoc* CTestApp::Doc() const {
    return static_cast<CTestDoc*>(GetFirstDocTemplate()->GetOnlyDocument());
}

CTestFrame* CTestApp::Frame() const {
    return static_cast<CTestFrame*>(m_pMainWnd);
}

void RegisterTestResources() {
    CResourceTable& res = AfxGetResources();
    res.strings[AFX_IDS_APP_TITLE] = QStringLiteral("TestApp");
    res.strings[AFX_IDS_IDLEMESSAGE] = QStringLiteral("Ready");
    res.strings[IDR_TEST] = QStringLiteral(
        "Test Editor\n\nTest\nTest files (*.tst)\n.tst\nTest.Document\nTest Document");
    res.strings[ID_FILE_NEW] = QStringLiteral("Create a new document\nNew");
    res.strings[ID_TEST_GATED] = QStringLiteral("Run the gated command\nGated");
    MENURES menu;
    menu.popups = {
        {QStringLiteral("&File"),
         {{ID_FILE_NEW, QStringLiteral("&New\tStrg+N")},
          {ID_FILE_OPEN, QStringLiteral("&Open...\tStrg+O")},
          {ID_FILE_SAVE, QStringLiteral("&Save\tStrg+S")},
          {ID_FILE_SAVE_AS, QStringLiteral("Save &As...")},
          {},
          {ID_FILE_MRU_FILE1, QStringLiteral("Last File")},
          {},
          {ID_APP_EXIT, QStringLiteral("E&xit")}}},
        {QStringLiteral("&Test"),
         {{ID_TEST_ALL, QStringLiteral("All")},
          {ID_TEST_GATED, QStringLiteral("Gated")},
          {ID_TEST_NONE, QStringLiteral("Nobody")}}},
        {QStringLiteral("&View"),
         {{ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar")},
          {ID_VIEW_STATUS_BAR, QStringLiteral("&Statusbar")}}},
    };
    res.menus[IDR_TEST] = menu;
    res.accelerators[IDR_TEST] = {
        {QKeyCombination(Qt::ControlModifier, Qt::Key_N), ID_FILE_NEW},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_G), ID_TEST_GATED},
        {QKeyCombination(Qt::ControlModifier, Qt::Key_K), ID_TEST_NONE},
        {QKeyCombination(Qt::NoModifier, Qt::Key_F6), ID_NEXT_PANE},
        {QKeyCombination(Qt::ShiftModifier, Qt::Key_F6), ID_PREV_PANE},
    };
    res.toolbars[IDR_TEST] = {QSize(16, 15),
                              {ID_FILE_NEW, ID_SEPARATOR, ID_TEST_GATED, ID_TEST_NONE}};
}

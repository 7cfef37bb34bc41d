// The application object: templates, New and Open, settings, command line.

#include "WinApp.h"

#include "AppMessageHook.h"
#include "CmdUI.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "Prompts.h"
#include "RecentFileList.h"
#include "Resources.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSettings>

namespace {
CWinApp* g_pApp = nullptr; // not owned; the one application object
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() {
    return g_pApp;
}

CFrameWnd* AfxGetMainWnd() {
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

QWidget* AfxGetMainWidget() {
    return AfxGetMainWnd();
}

CWinApp::CWinApp(const CString& appName) : m_pszAppName(appName) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    ReleaseFrameAndDocuments();
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::ReleaseFrameAndDocuments() {
    // The frame and its views go before the documents they show.
    CFrameWnd* frame = m_pMainWnd;
    m_pMainWnd = nullptr;
    delete frame;
    m_templates.clear();
    m_pHook.reset();
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return 0;
}

int CWinApp::Run() {
    return QApplication::exec();
}

bool CWinApp::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)
        return false;
    // Accelerators belong to the main frame: not while a dialog or menu has the keys.
    if (m_pMainWnd == nullptr || pMsg->hwnd == nullptr || pMsg->hwnd->window() != m_pMainWnd)
        return false;
    auto* key = static_cast<QKeyEvent*>(pMsg->event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return m_pMainWnd->TranslateAccelerator(QKeyCombination(modifiers, Qt::Key(key->key())));
}

bool CWinApp::OnIdle(long) {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->OnIdleUpdateCmdUI();
    return false;
}

void CWinApp::SetRegistryKey(const CString& key) {
    m_pszRegistryKey = key;
    if (m_pszAppName.isEmpty())
        m_pszAppName = AfxLoadString(AFX_IDS_APP_TITLE);
}

std::unique_ptr<QSettings> CWinApp::OpenProfile() const {
    return std::make_unique<QSettings>(m_pszRegistryKey, m_pszAppName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_nMaxMRU = nMaxMRU;
    if (nMaxMRU == 0)
        return;
    // The list's command ids start at the first recent-file command.
    m_pRecentFileList =
        std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, QStringLiteral("Recent File List"),
                                          QStringLiteral("File%d"), int(nMaxMRU));
    m_pRecentFileList->ReadList(*OpenProfile());
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList(*OpenProfile());
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    m_templates.emplace_back(pTemplate);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const {
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

CDocument* CWinApp::OpenDocumentFile(const CString& path) {
    CDocTemplate* docTemplate = GetFirstDocTemplate();
    if (docTemplate == nullptr)
        return nullptr;
    return docTemplate->OpenDocumentFile(path);
}

void CWinApp::AddToRecentFileList(const CString& path) {
    if (m_pRecentFileList == nullptr)
        return;
    m_pRecentFileList->Add(path);
    // Written at once, so a list survives also a run that does not end normally.
    m_pRecentFileList->WriteList(*OpenProfile());
}

bool CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                               bool bOpenFileDialog, CDocTemplate* pTemplate) {
    if (pTemplate == nullptr)
        pTemplate = GetFirstDocTemplate();
    CString filter;
    CString ext;
    CString typeName;
    if (pTemplate != nullptr) {
        CString name;
        if (pTemplate->GetDocString(name, CDocTemplate::filterName) &&
            pTemplate->GetDocString(ext, CDocTemplate::filterExt))
            filter = name + QLatin1Char('|') + QLatin1Char('*') + ext + QLatin1Char('|');
        pTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
    }
    filter += AfxLoadString(AFX_IDS_ALLFILTER) + QStringLiteral("|*.*||");
    CFileDialog dlg(bOpenFileDialog, ext, fileName, lFlags, filter);
    dlg.m_strTitle = AfxLoadString(nIDSTitle);
    if (!ext.isEmpty() && !typeName.isEmpty()) {
        dlg.m_strTypeExt = ext;
        dlg.m_strTypeName = typeName;
    }
    if (dlg.DoModal() != IDOK)
        return false;
    fileName = dlg.GetPathName();
    return true;
}

bool CWinApp::SaveAllModified() {
    for (const auto& docTemplate : m_templates) {
        if (CDocument* document = docTemplate->GetOnlyDocument()) {
            if (!document->SaveModified())
                return false;
        }
    }
    return true;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    AfxParseCommandLine(rCmdInfo, m_arguments);
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE: // no DDE here: start with a new document
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Opened without showing, the print command finds no handler, and the program ends.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr)
            m_pMainWnd->ExecuteCommand(ID_FILE_PRINT_DIRECT);
        return false;
    case CCommandLineInfo::AppUnregister:
        Unregister();
        if (!rCmdInfo.m_bRunEmbedded)
            AfxMessageBox(AFX_IDP_UNREG_DONE, MB_OK | MB_ICONINFORMATION);
        return false;
    case CCommandLineInfo::FileNothing:
        return true;
    }
    return false;
}

void CWinApp::Unregister() {
    UnregisterShellFileTypes();
    std::unique_ptr<QSettings> settings = OpenProfile();
    const QString file = settings->fileName();
    settings->clear();
    settings->sync();
    settings.reset();
    if (QFileInfo(file).isFile())
        QFile::remove(file);
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList =
            std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, QStringLiteral("Recent File List"),
                                              QStringLiteral("File%d"), int(m_nMaxMRU));
}

void CWinApp::UnregisterShellFileTypes() {}

void CWinApp::RegisterShellFileTypes(bool) {}

int CWinApp::DoMessageBox(const CString& text, UINT nType, UINT) {
    return GetPromptHandler().MessageBox(text, m_pszAppName, nType);
}

CPromptHandler& CWinApp::GetPromptHandler() {
    if (m_pPromptHandler == nullptr)
        m_pPromptHandler = std::make_unique<CQtPromptHandler>();
    return *m_pPromptHandler;
}

std::unique_ptr<CPromptHandler> CWinApp::SetPromptHandler(std::unique_ptr<CPromptHandler> handler) {
    std::swap(handler, m_pPromptHandler);
    return handler;
}

void CWinApp::OnMainFrameClosed() {
    QCoreApplication::quit();
}

void CWinApp::OnFileNew() {
    OpenDocumentFile(CString());
}

void CWinApp::OnFileOpen() {
    CString newName;
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, 0, true, nullptr))
        return; // cancelled
    OpenDocumentFile(newName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->close();
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr)
        return;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return;
    const CString path = (*m_pRecentFileList)[index];
    // A file that is gone leaves the list; a cancelled save question does not remove it.
    if (OpenDocumentFile(path) == nullptr && !QFileInfo::exists(path)) {
        m_pRecentFileList->Remove(index);
        m_pRecentFileList->WriteList(*OpenProfile());
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList == nullptr) {
        pCmdUI->Enable(false);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

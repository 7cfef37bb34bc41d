// The document's framework part: title, path, modified flag, Save and Save As.

#include "Document.h"

#include "DocTemplate.h"
#include "FrameWnd.h"
#include "Prompts.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CObject)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

// True if something (also a dangling link) is at the path.
bool PathExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const CString& title) {
    m_strTitle = title;
    for (CView* view : m_views) {
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(true);
    }
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_pMainWnd != nullptr && app->m_pMainWnd->GetActiveDocument() == this)
            app->m_pMainWnd->OnUpdateFrameTitle(true);
    }
}

void CDocument::SetPathName(const CString& path, bool bAddToMRU) {
    const QFileInfo info(path);
    m_strPathName = QDir::cleanPath(info.absoluteFilePath());
    SetTitle(info.fileName());
    if (bAddToMRU) {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::SetModifiedFlag(bool bModified) {
    m_bModified = bModified;
    if (CWinApp* app = AfxGetApp())
        app->RequestIdleUpdate();
}

void CDocument::AddView(CView* pView) {
    if (pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != nullptr)
        pView->m_pDocument->RemoveView(pView);
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
    if (pView->m_pDocument == this)
        pView->m_pDocument = nullptr;
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const CString&) {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const CString&) {
    SetModifiedFlag(false);
    return true;
}

void CDocument::DeleteContents() {}

bool CDocument::SaveModified() {
    if (!IsModified())
        return true;
    CString name = m_strTitle;
    if (!m_strPathName.isEmpty())
        name = QFileInfo(m_strPathName).fileName();
    else if (name.isEmpty())
        name = AfxLoadString(AFX_IDS_UNTITLED);
    switch (AfxMessageBox(AfxFormatString1(AFX_IDP_ASK_TO_SAVE, name),
                          MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true; // IDNO: go on without saving
    }
}

bool CDocument::DoFileSave() {
    // A file we may not write counts as read-only; one without any write
    // permission bit does so for everyone, root included.
    const QFileInfo info(m_strPathName);
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (m_strPathName.isEmpty() || !info.exists() || !info.isWritable() ||
        !(info.permissions() & anyWrite))
        return DoSave(CString());
    return DoSave(m_strPathName);
}

bool CDocument::DoSave(const CString& path, bool bReplace) {
    CString newName = path;
    const bool prompted = newName.isEmpty();
    if (prompted) {
        newName = m_strPathName;
        if (bReplace && newName.isEmpty()) {
            // Propose the title, cut before characters a file name should not hold.
            newName = m_strTitle;
            const qsizetype bad =
                newName.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]")));
            if (bad >= 0)
                newName.truncate(bad);
            CString ext;
            if (m_pDocTemplate != nullptr &&
                m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.isEmpty())
                newName += ext;
        }
        CWinApp* app = AfxGetApp();
        if (app == nullptr ||
            !app->DoPromptFileName(newName, AFX_IDS_SAVEFILE,
                                   OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, false, m_pDocTemplate))
            return false; // cancelled
    }
    const bool existed = PathExists(newName);
    if (!OnSaveDocument(newName)) {
        // A file that was there before is never removed; one this save left behind is.
        if (prompted && !existed && PathExists(newName))
            QFile::remove(newName);
        return false;
    }
    if (bReplace)
        SetPathName(newName);
    return true;
}

void CDocument::OnFileSave() {
    DoFileSave();
}

void CDocument::OnFileSaveAs() {
    DoSave(CString());
}

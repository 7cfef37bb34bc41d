// Document templates and the single-document flow of New and Open.

#include "DocTemplate.h"

#include "Document.h"
#include "FrameWnd.h"
#include "Prompts.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                           const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass), m_strDocStrings(AfxLoadString(nIDResource)) {}

CDocTemplate::~CDocTemplate() = default;

bool CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    const QStringList fields = m_strDocStrings.split(QLatin1Char('\n'));
    rString = index < fields.size() ? fields[index] : CString();
    return !rString.isEmpty();
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* object = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<CDocument*>(object);
    if (document == nullptr) {
        delete object;
        return nullptr;
    }
    AddDocument(document);
    return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*) {
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (frame == nullptr) {
        delete object;
        return nullptr;
    }
    context.m_pCurrentFrame = frame;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = frame; // the frame's creation may already ask for the main window
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == frame)
            app->m_pMainWnd = nullptr;
        delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, bool bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString title;
    if (!GetDocString(title, docName) || title.isEmpty())
        title = AfxLoadString(AFX_IDS_UNTITLED);
    pDocument->SetTitle(title);
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CSingleDocTemplate::~CSingleDocTemplate() {
    CDocument* document = m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
    delete document;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const CString& path, bool bMakeVisible) {
    CWinApp* app = AfxGetApp();
    CDocument* document = m_pOnlyDoc;
    CFrameWnd* frame = app != nullptr ? app->m_pMainWnd : nullptr;
    bool created = false;
    if (document != nullptr) {
        if (!document->SaveModified())
            return nullptr; // the user kept the current document
    } else {
        document = CreateNewDocument();
        created = true;
        if (document == nullptr) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            return nullptr;
        }
    }
    if (frame == nullptr) {
        frame = CreateNewFrame(document, nullptr);
        if (frame == nullptr) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            if (created)
                delete document;
            return nullptr;
        }
    }

    if (path.isEmpty()) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            // The document has told the user already.
            if (created && app != nullptr && app->m_pMainWnd == frame) {
                app->m_pMainWnd = nullptr;
                delete frame;
            }
            return nullptr;
        }
    } else {
        const bool wasModified = document->IsModified();
        document->SetModifiedFlag(false);
        if (!document->OnOpenDocument(path)) {
            if (created && app != nullptr && app->m_pMainWnd == frame) {
                app->m_pMainWnd = nullptr;
                delete frame;
            } else if (!document->IsModified()) {
                document->SetModifiedFlag(wasModified);
            } else {
                // The old contents are gone: start over with an empty document.
                SetDefaultTitle(document);
                document->OnNewDocument();
            }
            return nullptr;
        }
        document->SetPathName(path);
    }
    InitialUpdateFrame(frame, document, bMakeVisible);
    return document;
}

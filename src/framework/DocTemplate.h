#pragma once

// Document templates tie a document class to its frame and view classes under
// one resource id. The single-document template creates the one document, its
// frame and views on first use and reuses them for every New and Open.

#include "CmdTarget.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    CDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                 const CRuntimeClass* pViewClass);
    ~CDocTemplate() override;

    // A field of the document string (resource nIDResource, fields separated by "\n").
    bool GetDocString(CString& rString, DocStringIndex index) const;

    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, bool bMakeVisible = true);
    virtual void SetDefaultTitle(CDocument* pDocument);

    // Opens the file (path given) or makes a new document (path empty); null on failure.
    virtual CDocument* OpenDocumentFile(const CString& path, bool bMakeVisible = true) = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual CDocument* GetOnlyDocument() const = 0;

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(const CString& path, bool bMakeVisible = true) override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* GetOnlyDocument() const override { return m_pOnlyDoc; }

protected:
    CDocument* m_pOnlyDoc = nullptr; // owned
};

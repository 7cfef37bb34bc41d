#pragma once

// The document: path, title, modified flag and its views, with the framework's
// New, Open, Save and Save As around the document's own hooks. Save writes to
// the path when the file exists and is writable, otherwise it asks for a name;
// a name typed without an extension gets the template's. Before New, Open and
// closing, a modified document asks whether to save. A Save As that fails
// removes the file at the new path only when this save created it.

#include "CmdTarget.h"

#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)

public:
    CDocument();
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& title);
    const CString& GetPathName() const { return m_strPathName; }
    // Takes the path (made absolute), titles the document with its file name
    // and adds it to the recent-file list.
    virtual void SetPathName(const CString& path, bool bAddToMRU = true);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true);

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }

    // Hooks of New, Open and Save; the base versions empty the contents.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const CString& path);
    virtual bool OnSaveDocument(const CString& path);
    virtual void DeleteContents();

    // Asks "save changes?" if modified: false when the user cancelled or the save failed.
    virtual bool SaveModified();
    // Save (path known and writable) or Save As; false if nothing was saved.
    bool DoFileSave();
    // Saves under path, or asks for a name when path is empty.
    virtual bool DoSave(const CString& path, bool bReplace = true);

    void OnFileSave();
    void OnFileSaveAs();

    DECLARE_MESSAGE_MAP()

protected:
    CString m_strTitle;
    CString m_strPathName;
    bool m_bModified = false;

private:
    friend class CDocTemplate;
    CDocTemplate* m_pDocTemplate = nullptr; // not owned; the template owns the document
    std::vector<CView*> m_views;            // not owned; the views belong to their frame
};

#pragma once

// Views: the panes of the frame that show the document. A view belongs to the
// splitter that holds it and is attached to one document. Commands reach the
// active view first, then its document.

#include "Wnd.h"

#include <QWidget>

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// What the framework passes along while it creates a frame and its views.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;        // not owned
    CDocTemplate* m_pNewDocTemplate = nullptr; // not owned
    CView* m_pLastView = nullptr;              // not owned
    CFrameWnd* m_pCurrentFrame = nullptr;      // not owned
};

class CView : public QWidget, public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    // Sent after New and Open, and to a view created on its own later.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, long lHint, CObject* pHint);
    // Called when the view becomes or stops being the frame's active view.
    virtual void OnActivateView(bool bActivate, CView* pActivateView, CView* pDeactiveView);
    // Puts the keyboard focus into the view.
    virtual void SetFocusToView();

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    QWidget* GetSafeWidget() override { return this; }

    void OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr; // not owned; set by CDocument::AddView
};

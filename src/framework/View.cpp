// The view base: document link, routing to the document, pane switching.

#include "View.h"

#include "CmdUI.h"
#include "Document.h"
#include "FrameWnd.h"
#include "SplitterWnd.h"

IMPLEMENT_DYNAMIC(CView, CObject)

BEGIN_MESSAGE_MAP(CView, CCmdTarget)
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnNextPaneCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

CView::CView() {
    setFocusPolicy(Qt::NoFocus);
}

CView::~CView() {
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
    if (CFrameWnd* frame = GetParentFrame())
        frame->OnViewDestroyed(this);
}

CFrameWnd* CView::GetParentFrame() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(w))
            return frame;
    }
    return nullptr;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, long, CObject*) {
    update();
}

void CView::OnActivateView(bool, CView*, CView*) {}

void CView::SetFocusToView() {
    setFocus(Qt::OtherFocusReason);
}

bool CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnNextPaneCmd(UINT nID) {
    if (CSplitterWnd* splitter = CSplitterWnd::FromView(this))
        splitter->ActivateNext(nID == ID_PREV_PANE);
}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI) {
    CSplitterWnd* splitter = CSplitterWnd::FromView(this);
    pCmdUI->Enable(splitter != nullptr && splitter->CanActivateNext());
}

// Form views on dialog templates.

#include "FormView.h"

#include "DialogTemplate.h"
#include "Resources.h"

#include <QResizeEvent>
#include <QScrollArea>

IMPLEMENT_DYNAMIC(CFormView, CView)

CFormView::CFormView(UINT nIDTemplate)
    : m_nIDTemplate(nIDTemplate), m_pScroll(new QScrollArea(this)), m_pPage(new QWidget) {
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setWidgetResizable(false);
    m_pScroll->setFocusPolicy(Qt::NoFocus);
    const auto& dialogs = AfxGetResources().dialogs;
    if (const auto it = dialogs.find(nIDTemplate); it != dialogs.end()) {
        const DLGTEMPLATE& dlgTemplate = *it->second;
        CreateControls(dlgTemplate, m_pPage);
        m_pPage->resize(CDialogUnits(AfxTemplateFont(dlgTemplate))
                            .MapDialogSize(dlgTemplate.cx, dlgTemplate.cy));
    }
    m_pScroll->setWidget(m_pPage);
}

void CFormView::OnInitialUpdate() {
    UpdateData(false);
}

void CFormView::SetFocusToView() {
    // Back to the control that had the focus last, else the first one in tab order.
    QWidget* target = m_pPage->focusWidget();
    if (target == nullptr || !target->isVisible()) {
        target = nullptr;
        for (QWidget* w = m_pPage->nextInFocusChain(); w != m_pPage; w = w->nextInFocusChain()) {
            if (m_pPage->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
                w->isVisibleTo(m_pPage)) {
                target = w;
                break;
            }
        }
    }
    if (target != nullptr)
        target->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void CFormView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    m_pScroll->setGeometry(rect());
}

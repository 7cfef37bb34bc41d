// The tree view.

#include "TreeView.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QTreeView>

IMPLEMENT_DYNCREATE(CTreeView, CView)

CTreeView::CTreeView() : m_pTree(new QTreeView(this)) {
    m_pTree->setHeaderHidden(true);
    m_pTree->setUniformRowHeights(true);
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusProxy(m_pTree);
}

void CTreeView::SetFocusToView() {
    m_pTree->setFocus(Qt::OtherFocusReason);
}

void CTreeView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    m_pTree->setGeometry(rect());
}

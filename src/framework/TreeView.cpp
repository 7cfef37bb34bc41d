// The tree view.

#include "TreeView.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QTreeView>

namespace {

// A tree that gaining the focus leaves without a current item: only the user
// or the program selects, as the view's selection handler relies on.
class CTreeCtrl : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusInEvent(event);
        viewport()->update();
    }
};

} // namespace

IMPLEMENT_DYNCREATE(CTreeView, CView)

CTreeView::CTreeView() : m_pTree(new CTreeCtrl(this)) {
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

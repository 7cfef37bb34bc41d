// The tree view and its control.

#include "TreeView.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QTreeView>

// A tree that gaining the focus leaves without a current item: only the user
// or the program selects, as the view's selection handler relies on. With the
// line and button styles it draws dotted lines from each item to its parent
// and to its next sibling, and a small box with "+" or "-" on items that have
// children.
class CTreeCtrl : public QTreeView {
public:
    using QTreeView::QTreeView;

    DWORD m_dwStyle = 0;

protected:
    void focusInEvent(QFocusEvent* event) override {
        QAbstractScrollArea::focusInEvent(event);
        viewport()->update();
    }

    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override {
        if ((m_dwStyle & (TVS_HASLINES | TVS_HASBUTTONS)) == 0) {
            QTreeView::drawBranches(painter, rect, index);
            return;
        }
        painter->save();
        QPen dotted(palette().color(QPalette::Dark));
        dotted.setDashPattern({1.0, 1.0});
        painter->setPen(dotted);
        // The item's own column is the rightmost; each ancestor has one to its left.
        const int indent = indentation();
        QRect cell(rect.right() + 1 - indent, rect.top(), indent, rect.height());
        const bool ownButton = (m_dwStyle & TVS_HASBUTTONS) && model()->hasChildren(index);
        if (m_dwStyle & TVS_HASLINES)
            DrawOwnLines(painter, cell, index, ownButton);
        if (ownButton)
            DrawButton(painter, cell, isExpanded(index));
        if (m_dwStyle & TVS_HASLINES) {
            for (QModelIndex ancestor = index.parent(); ancestor.isValid();
                 ancestor = ancestor.parent()) {
                cell.translate(-indent, 0);
                if (cell.right() < rect.left())
                    break;
                if (HasNextSibling(ancestor))
                    VerticalLine(painter, cell.center().x(), cell.top(), cell.bottom());
            }
        }
        painter->restore();
    }

private:
    bool HasNextSibling(const QModelIndex& index) const {
        return index.row() + 1 < model()->rowCount(index.parent());
    }

    static void VerticalLine(QPainter* painter, int x, int top, int bottom) {
        if (top <= bottom)
            painter->drawLine(QPointF(x + 0.5, top + 0.5), QPointF(x + 0.5, bottom + 0.5));
    }

    // The line up to the previous item, down to the next sibling, and right to the label.
    void DrawOwnLines(QPainter* painter, const QRect& cell, const QModelIndex& index,
                      bool button) const {
        const QPoint mid = cell.center();
        const int gap = button ? ButtonRadius() + 1 : 0;
        const bool topOfTree = !index.parent().isValid() && index.row() == 0;
        if (!topOfTree)
            VerticalLine(painter, mid.x(), cell.top(), mid.y() - gap);
        if (HasNextSibling(index))
            VerticalLine(painter, mid.x(), mid.y() + gap, cell.bottom());
        painter->drawLine(QPointF(mid.x() + gap + 0.5, mid.y() + 0.5),
                          QPointF(cell.right() + 0.5, mid.y() + 0.5));
    }

    int ButtonRadius() const { return 4; }

    void DrawButton(QPainter* painter, const QRect& cell, bool expanded) const {
        const int r = ButtonRadius();
        const QPoint mid = cell.center();
        const QRect box(mid.x() - r, mid.y() - r, 2 * r, 2 * r);
        painter->setPen(palette().color(QPalette::Dark));
        painter->setBrush(palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(mid.x() - r + 2, mid.y(), mid.x() + r - 2, mid.y());
        if (!expanded)
            painter->drawLine(mid.x(), mid.y() - r + 2, mid.x(), mid.y() + r - 2);
    }
};

IMPLEMENT_DYNCREATE(CTreeView, CView)

CTreeView::CTreeView() : m_pTree(new CTreeCtrl(this)) {
    m_pTree->setHeaderHidden(true);
    m_pTree->setUniformRowHeights(true);
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusProxy(m_pTree);
}

QTreeView& CTreeView::GetTreeCtrl() const {
    return *m_pTree;
}

void CTreeView::SetFocusToView() {
    m_pTree->setFocus(Qt::OtherFocusReason);
}

DWORD CTreeView::GetStyle() const {
    return m_pTree->m_dwStyle;
}

void CTreeView::ModifyStyle(DWORD dwRemove, DWORD dwAdd) {
    m_pTree->m_dwStyle = (m_pTree->m_dwStyle & ~dwRemove) | dwAdd;
    // The top-level items get their column of lines and buttons only with TVS_LINESATROOT.
    if (m_pTree->m_dwStyle & (TVS_HASLINES | TVS_HASBUTTONS))
        m_pTree->setRootIsDecorated((m_pTree->m_dwStyle & TVS_LINESATROOT) != 0);
    m_pTree->viewport()->update();
}

void CTreeView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    m_pTree->setGeometry(rect());
}

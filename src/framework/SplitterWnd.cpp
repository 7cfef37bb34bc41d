// The static splitter over QSplitter.

#include "SplitterWnd.h"

#include "Document.h"
#include "FrameWnd.h"
#include "View.h"

#include <QApplication>
#include <QVariant>

CSplitterWnd::~CSplitterWnd() {
    // The views go while the frame that tracks them still exists.
    delete m_pSplitter.data();
}

bool CSplitterWnd::CreateStatic(QWidget* pParentWnd, int nRows, int nCols, DWORD dwStyle,
                                UINT nID) {
    if (m_pSplitter != nullptr || nRows != 1 || nCols < 1)
        return false; // panes stacked in rows are not needed by this program
    m_nRows = nRows;
    m_nCols = nCols;
    m_pSplitter = new QSplitter(Qt::Horizontal, pParentWnd);
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->setProperty("splitterWnd", QVariant::fromValue(static_cast<void*>(this)));
    m_pSplitter->setProperty("ctrlId", nID);
    m_panes.assign(static_cast<size_t>(nRows * nCols), nullptr);
    m_widths.assign(static_cast<size_t>(nRows * nCols), 0);
    if (auto* frame = dynamic_cast<CFrameWnd*>(pParentWnd))
        frame->setCentralWidget(m_pSplitter);
    if (!(dwStyle & WS_VISIBLE))
        m_pSplitter->hide();
    return true;
}

void CSplitterWnd::InsertPane(int index, QWidget* pane) {
    // Panes before this one keep their place in the QSplitter.
    int position = 0;
    for (int i = 0; i < index; ++i) {
        if (m_panes[static_cast<size_t>(i)] != nullptr)
            ++position;
    }
    m_pSplitter->insertWidget(position, pane);
    m_panes[static_cast<size_t>(index)] = pane;
    // The last column takes what the others leave.
    for (int i = 0; i < m_pSplitter->count(); ++i)
        m_pSplitter->setStretchFactor(i, i == m_pSplitter->count() - 1 ? 1 : 0);
}

bool CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* pViewClass, QSize sizeInit,
                              CCreateContext* pContext) {
    if (m_pSplitter == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return false;
    const int index = PaneIndex(row, col);
    if (m_panes[static_cast<size_t>(index)] != nullptr)
        return false;
    CObject* object = pViewClass != nullptr ? pViewClass->CreateObject() : nullptr;
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr) {
        delete object;
        return false;
    }
    view->setProperty("ctrlId", IdFromRowCol(row, col));
    if (sizeInit.width() > 0)
        m_widths[static_cast<size_t>(index)] = sizeInit.width();
    InsertPane(index, view);

    auto* frame = dynamic_cast<CFrameWnd*>(m_pSplitter->parentWidget());
    if (pContext != nullptr) {
        if (pContext->m_pCurrentDoc != nullptr)
            pContext->m_pCurrentDoc->AddView(view);
    } else {
        // A view made later joins the document of the active view and starts at once.
        CDocument* document = frame != nullptr ? frame->GetActiveDocument() : nullptr;
        if (document != nullptr)
            document->AddView(view);
        view->show();
        view->OnInitialUpdate();
    }
    view->show();
    RecalcLayout();
    return true;
}

void CSplitterWnd::DeleteView(int row, int col) {
    if (m_pSplitter == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return;
    const int index = PaneIndex(row, col);
    QPointer<QWidget> pane = m_panes[static_cast<size_t>(index)];
    if (pane == nullptr)
        return;
    // Remember the widths of the other panes; the new view gets the same place.
    const QList<int> sizes = m_pSplitter->sizes();
    int position = 0;
    for (int i = 0; i < m_nRows * m_nCols; ++i) {
        if (m_panes[static_cast<size_t>(i)] == nullptr)
            continue;
        if (i != index && position < sizes.size())
            m_widths[static_cast<size_t>(i)] = sizes[position];
        ++position;
    }
    auto* view = dynamic_cast<CView*>(pane.data());
    auto* frame = dynamic_cast<CFrameWnd*>(m_pSplitter->parentWidget());
    if (frame != nullptr && view != nullptr && frame->GetActiveView() == view) {
        // Another pane becomes active before the active one goes.
        CView* other = nullptr;
        for (const QPointer<QWidget>& p : m_panes) {
            if (p != nullptr && p != pane && dynamic_cast<CView*>(p.data()) != nullptr)
                other = dynamic_cast<CView*>(p.data());
        }
        frame->SetActiveView(other,
                             other != nullptr && view->isAncestorOf(QApplication::focusWidget()));
    }
    m_panes[static_cast<size_t>(index)] = nullptr;
    delete pane.data();
}

void CSplitterWnd::RecalcLayout() {
    if (m_pSplitter == nullptr)
        return;
    QList<int> sizes;
    int total =
        m_pSplitter->orientation() == Qt::Horizontal ? m_pSplitter->width() : m_pSplitter->height();
    int used = 0;
    int last = -1;
    for (int i = 0; i < m_nRows * m_nCols; ++i) {
        if (m_panes[static_cast<size_t>(i)] == nullptr)
            continue;
        sizes << m_widths[static_cast<size_t>(i)];
        used += m_widths[static_cast<size_t>(i)];
        last = int(sizes.size()) - 1;
    }
    if (last < 0)
        return;
    sizes[last] = qMax(1, total - (used - sizes[last]));
    m_pSplitter->setSizes(sizes);
}

QWidget* CSplitterWnd::GetPane(int row, int col) const {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return m_panes[static_cast<size_t>(PaneIndex(row, col))];
}

bool CSplitterWnd::CanActivateNext() const {
    int views = 0;
    for (const QPointer<QWidget>& pane : m_panes) {
        if (pane != nullptr)
            ++views;
    }
    return views > 1;
}

void CSplitterWnd::ActivateNext(bool bPrev) {
    if (m_pSplitter == nullptr)
        return;
    auto* frame = dynamic_cast<CFrameWnd*>(m_pSplitter->parentWidget());
    CView* active = frame != nullptr ? frame->GetActiveView() : nullptr;
    const int count = m_nRows * m_nCols;
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (m_panes[static_cast<size_t>(i)] == active)
            current = i;
    }
    for (int step = 1; step <= count; ++step) {
        const int next = ((current < 0 ? 0 : current) + (bPrev ? count - step : step)) % count;
        auto* view = dynamic_cast<CView*>(m_panes[static_cast<size_t>(next)].data());
        if (view != nullptr && view != active) {
            if (frame != nullptr)
                frame->SetActiveView(view, true);
            return;
        }
    }
}

CSplitterWnd* CSplitterWnd::FromView(const CView* pView) {
    QWidget* parent = pView != nullptr ? pView->parentWidget() : nullptr;
    if (parent == nullptr)
        return nullptr;
    return static_cast<CSplitterWnd*>(parent->property("splitterWnd").value<void*>());
}

#pragma once

// A static splitter: a fixed grid of panes (this program uses one row), each
// holding one view created by class. The splitter owns its views; deleting a
// view destroys it. F6 and Shift+F6 move the focus to the next or previous pane.

#include "AfxDefs.h"

#include <QPointer>
#include <QSize>
#include <QSplitter>
#include <vector>

struct CCreateContext;
struct CRuntimeClass;
class CView;
class QWidget;

class CSplitterWnd {
public:
    CSplitterWnd() = default;
    CSplitterWnd(const CSplitterWnd&) = delete;
    CSplitterWnd& operator=(const CSplitterWnd&) = delete;
    ~CSplitterWnd();

    bool CreateStatic(QWidget* pParentWnd, int nRows, int nCols,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    // Creates a view of the class in the pane. The initial size sets the pane's
    // width (one row: only the width counts; 0 keeps the current width). Without
    // a context the view joins the active view's document and gets its initial update.
    bool CreateView(int row, int col, const CRuntimeClass* pViewClass, QSize sizeInit,
                    CCreateContext* pContext);
    void DeleteView(int row, int col);
    void RecalcLayout();

    QWidget* GetPane(int row, int col) const;
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int IdFromRowCol(int row, int col) const {
        return static_cast<int>(AFX_IDW_PANE_FIRST) + row * 16 + col;
    }

    // Moves the focus to the next (or previous) pane that holds a view.
    void ActivateNext(bool bPrev = false);
    bool CanActivateNext() const;

    QSplitter* GetSplitter() const { return m_pSplitter; }

    // The splitter whose pane holds the view, or null.
    static CSplitterWnd* FromView(const CView* pView);

private:
    int PaneIndex(int row, int col) const { return row * m_nCols + col; }
    void InsertPane(int index, QWidget* pane);

    QPointer<QSplitter> m_pSplitter; // owned through its parent widget; deleted here first
    std::vector<QPointer<QWidget>> m_panes;
    std::vector<int> m_widths;
    int m_nRows = 0;
    int m_nCols = 0;
};

#pragma once

// A view that is one tree control filling the pane. The tree styles say how
// it draws: lines between the items, lines from the top-level items, and a
// button that expands and collapses an item with children.

#include "View.h"

class QTreeView;

constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;

class CTreeView : public CView {
    DECLARE_DYNCREATE(CTreeView)

public:
    CTreeView();

    QTreeView& GetTreeCtrl() const;
    void SetFocusToView() override;

    // The tree control's styles (TVS_...).
    DWORD GetStyle() const;
    void ModifyStyle(DWORD dwRemove, DWORD dwAdd);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class CTreeCtrl* m_pTree; // owned through the widget tree
};

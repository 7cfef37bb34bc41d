#pragma once

// A view that is one tree control filling the pane.

#include "View.h"

class QTreeView;

class CTreeView : public CView {
    DECLARE_DYNCREATE(CTreeView)

public:
    CTreeView();

    QTreeView& GetTreeCtrl() const { return *m_pTree; }
    void SetFocusToView() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeView* m_pTree; // owned through the widget tree
};

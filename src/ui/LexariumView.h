#pragma once

// The entry tree in the left pane: a root item and one item per entry of the
// open file, labelled with its identifier. It holds the current entry, and a
// selection decides the right pane: the root brings the statistics, an entry
// the editor form filled from it.

#include "EntryTree.h"
#include "TreeView.h"

class CEntryTreeModel;
class CLexariumDoc;
class QModelIndex;

class CLexariumView : public CTreeView, public CEntryTree {
    DECLARE_DYNCREATE(CLexariumView)

public:
    CLexariumView();
    ~CLexariumView() override;

    CLexariumDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void RebuildTree() override;
    void SelectEntryById(int id) override;
    void SetCurrentItemText(const CString& text) override;
    void OnSelchanged();

private:
    void SelectPosition(int position); // -1: the root
    CEntryTreeModel* m_pModel;         // owned through the widget tree
};

// The entry tree of the left pane: the root "Textresourcen" and one item per
// entry, labelled with its identifier, in collection order. The tree also holds
// the current entry, the one the editor form edits and the entry commands act
// on. Its items come from a model that reads the collection on request, so a
// rebuild costs the same for ten entries as for a million.
#pragma once

#include "EntryTree.h"
#include "EntryTreeModel.h"
#include "TreeView.h"

#include <cstdint>
#include <optional>

class CMainFrame;

class CLexariumView : public CTreeView, public CEntryTree {
    DECLARE_DYNCREATE(CLexariumView)

public:
    CLexariumView();
    ~CLexariumView() override;

    void OnInitialUpdate() override;

    // Refills the tree from the document's collection and selects the item of
    // the current entry. A current entry that the collection no longer holds is
    // dropped first.
    void RebuildTree() override;
    // Sets the label of the selected item.
    void SetCurrentItemText(const CString& text) override;
    // Selects every entry with this id in turn; the last one stays selected.
    void SelectEntryById(int id) override;
    // Selects the entry at this position (ids may repeat; positions do not).
    // False when the collection has no entry there.
    bool SelectEntryAt(std::uint32_t position);

    EntryTreeModel& GetModel() { return m_model; }

protected:
    // The selection moved (also from inside RebuildTree and SelectEntryById).
    void OnSelchanged();

private:
    QTreeView& Tree() const { return GetTreeCtrl(); }
    CMainFrame* MainFrame() const;
    // The position of the current entry in the collection, or none.
    std::optional<std::uint32_t> CurrentPosition() const;

    EntryTreeModel m_model;
};

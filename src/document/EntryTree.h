#pragma once

// The entry tree as the document and the forms reach it: the current entry
// and the calls that refill and select. The tree view of the window layer
// implements it and registers itself in g_pTreeView while it exists.

#include "AfxDefs.h"
#include "EntryField.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TextResourceEntry;

class CEntryTree {
public:
    virtual ~CEntryTree() = default;

    // Refills the tree from the document and selects the current entry's item.
    virtual void RebuildTree() = 0;
    // Selects the item of the entry with this id (the last one if several share it).
    virtual void SelectEntryById(int id) = 0;
    // Sets the label of the selected item.
    virtual void SetCurrentItemText(const CString& text) = 0;

    // For find and replace; a tree that cannot do these ignores them.
    // Selects the entry at this position (ids may repeat; positions do not).
    // False when the collection has no entry there.
    virtual bool SelectEntryAt(std::uint32_t /*position*/) { return false; }
    // Shows the bytes [from, to) of a field of the current entry selected in
    // the editor form.
    virtual void ShowFieldRange(EntryField /*field*/, std::size_t /*from*/, std::size_t /*to*/) {}
    // The fields of these entries were changed behind the form's back: labels,
    // the form and anything derived from the fields follow.
    virtual void EntriesEdited(const std::vector<std::uint32_t>& /*positions*/) {}

    // The entry last selected in the tree, or null; always an entry the
    // document's collection holds at this moment.
    TextResourceEntry* m_pCurrentEntry = nullptr; // not owned
};

// The one tree view, or null while there is none.
extern CEntryTree* g_pTreeView; // not owned

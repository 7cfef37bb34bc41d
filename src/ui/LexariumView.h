// The entry tree of the left pane: the root "Textresourcen" and one item per
// entry, labelled with its identifier, in collection order. The tree also holds
// the current entry, the one the editor form edits and the entry commands act
// on. Its items come from a model that reads the collection on request, so a
// rebuild costs the same for ten entries as for a million.
#pragma once

#include "EntryFilterQuery.h"
#include "EntryFoldBuilder.h"
#include "EntryFoldIndex.h"
#include "EntryTree.h"
#include "EntryTreeModel.h"
#include "LexariumDoc.h"
#include "TreeView.h"

#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CMainFrame;
class QLineEdit;

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
    // Find, replace and the problems list: select by position (ids may repeat;
    // positions do not; false when there is no entry there), show a match, follow edits.
    bool SelectEntryAt(std::uint32_t position) override;
    void ShowFieldRange(EntryField field, std::size_t from, std::size_t to) override;
    void EntriesEdited(const std::vector<std::uint32_t>& positions) override;

    EntryTreeModel& GetModel() { return m_model; }

    // The filter field above the tree. Typing filters after a short pause, so
    // that a burst of keys costs one pass; Escape clears it.
    QLineEdit* FilterField() const { return m_pFilterEdit; }
    void FocusFilter();
    // Filters with the field's text now (the pause is skipped).
    void ApplyFilter();
    bool IsFiltered() const { return m_model.IsFiltered(); }
    // The filter's folded text is being built (on a thread of its own); the
    // tree shows every entry until it is ready, then the filter applies.
    bool IsPreparingFilter() const { return m_builder.IsBuilding(); }
    // Where `problem:` learns which entries have a finding: positions in
    // ascending order. Without a source it finds none.
    void SetProblemSource(std::function<std::vector<std::uint32_t>()> source) {
        m_problemSource = std::move(source);
    }

protected:
    // The selection moved (also from inside RebuildTree and SelectEntryById).
    void OnSelchanged();
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeView& Tree() const { return GetTreeCtrl(); }
    CMainFrame* MainFrame() const;
    // The position of the current entry in the collection, or none.
    std::optional<std::uint32_t> CurrentPosition() const;

    // The filter: the rows the query gives, plus the entries that must stay
    // visible (a new entry, a search hit) until the query changes.
    void CreateFilterField();
    // The rows of the filter; none while the folded text is not ready (its
    // build is started then).
    std::optional<std::vector<std::uint32_t>> FilteredRows();
    void DropIndexOfOtherFile();
    void PrepareIndex();
    void OnIndexReady(EntryFoldIndex index, std::uint32_t copied,
                      const std::vector<std::uint32_t>& edited);
    void OnEntriesChanged(CLexariumDoc::EntriesChange change, std::uint32_t position);
    void ShowRows(bool keepSelection);
    void RevealPosition(std::uint32_t position);
    void RefoldEntry(const TextResourceEntry* entry);
    void SyncIndexAfterRebuild();

    EntryTreeModel m_model;
    QLineEdit* m_pFilterEdit = nullptr; // owned by the view's widgets
    QTimer m_filterTimer;
    EntryFoldIndex m_index;
    EntryFoldBuilder m_builder;
    // One entry fewer than the index holds: which one comes with the notice
    // of its removal, until then the index is not used.
    bool m_awaitingRemoval = false;
    std::uint64_t m_nIndexFile = 0; // the document's New or Open the index was made from
    EntryFilterQuery m_query;
    std::vector<std::uint32_t> m_revealed; // ascending
    std::function<std::vector<std::uint32_t>()> m_problemSource;
    bool m_bRestoringSelection = false;
};

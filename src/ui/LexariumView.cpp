#include "LexariumView.h"

#include "LexariumDoc.h"
#include "LexariumView_Text.h"
#include "MainFrame.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"
#include "model/TextResourceObject.h"

#include <QLineEdit>
#include <QTreeView>
#include <cstdint>

IMPLEMENT_DYNCREATE(CLexariumView, CTreeView)

CLexariumView::CLexariumView()
    : m_builder([this](EntryFoldIndex index, std::uint32_t copied,
                       const std::vector<std::uint32_t>& edited) {
          OnIndexReady(std::move(index), copied, edited);
      }) {
    m_model.SetRootLabel(AfxLoadString(IDS_TREE_ROOT));
    QTreeView& tree = Tree();
    tree.setModel(&m_model);
    tree.setHeaderHidden(true);
    tree.setUniformRowHeights(true); // keeps a million rows cheap to lay out
    tree.setRootIsDecorated(true);
    tree.setSelectionMode(QAbstractItemView::SingleSelection);
    // Labels can be edited in place, and revert when the edit ends.
    tree.setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    QObject::connect(tree.selectionModel(), &QItemSelectionModel::currentChanged,
                     [this] { OnSelchanged(); });
    CreateFilterField();
    g_pTreeView = this;
}

CLexariumView::~CLexariumView() {
    if (g_pDocument != nullptr)
        g_pDocument->RemoveEntriesObserver(this);
    if (g_pTreeView == this)
        g_pTreeView = nullptr;
}

void CLexariumView::OnInitialUpdate() {
    CTreeView::OnInitialUpdate();
    // Buttons, lines (also from the root), label editing, and a selection that
    // stays visible without the focus; the bits the tree has already stay.
    ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS |
                       TVS_SHOWSELALWAYS);
    // New contents: what the filter knew of the old ones is void.
    if (g_pDocument != nullptr)
        g_pDocument->AddEntriesObserver(
            this, [this](CLexariumDoc::EntriesChange change, std::uint32_t position) {
                OnEntriesChanged(change, position);
            });
    // A build the tree started for these very contents (Open rebuilds the
    // tree before this) goes on.
    if (!m_builder.IsBuilding() || g_pDocument == nullptr ||
        m_nIndexFile != g_pDocument->m_nFileChanges) {
        m_builder.Cancel();
        m_index.Clear();
        m_awaitingRemoval = false;
    }
    m_revealed.clear();
    RebuildTree();
}

CMainFrame* CLexariumView::MainFrame() const {
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

std::optional<std::uint32_t> CLexariumView::CurrentPosition() const {
    if (m_pCurrentEntry == nullptr || g_pDocument == nullptr)
        return std::nullopt;
    const TextResourceObject& entries = g_pDocument->m_textResources;
    const std::uint32_t position = entries.PositionOf(m_pCurrentEntry);
    if (position >= entries.GetEntryCount())
        return std::nullopt;
    return position;
}

void CLexariumView::RebuildTree() {
    QTreeView& tree = Tree();
    // Nothing selected first: the notification of that finds no selection.
    tree.selectionModel()->clearCurrentIndex();
    tree.selectionModel()->clearSelection();
    m_model.SetCollection(g_pDocument != nullptr ? &g_pDocument->m_textResources : nullptr);
    const std::optional<std::uint32_t> current = CurrentPosition();
    if (!current) {
        m_pCurrentEntry = nullptr; // never keep an entry the collection does not hold
        if (g_pTextView != nullptr)
            g_pTextView->ShowNoEntry();
    }
    SyncIndexAfterRebuild();
    if (!m_query.IsEmpty()) {
        // A new entry is shown even where the filter would hide it.
        if (current)
            RevealPosition(*current);
        m_model.SetVisibleRows(FilteredRows());
    }
    tree.expand(m_model.RootIndex());
    if (current) {
        // Selecting raises the notification at once: the editor form is filled here.
        const QModelIndex item = m_model.EntryIndex(*current);
        tree.setCurrentIndex(item);
        tree.scrollTo(item);
    }
    if (CMainFrame* frame = MainFrame())
        frame->OnCurrentEntryChanged();
}

void CLexariumView::SetCurrentItemText(const CString& text) {
    const QModelIndex selected = Tree().currentIndex();
    if (selected.isValid())
        m_model.SetLabel(selected, text);
    // The label follows the identifier: so does what belongs to it elsewhere.
    if (CMainFrame* frame = MainFrame())
        frame->OnCurrentEntryChanged();
}

void CLexariumView::SelectEntryById(int id) {
    if (g_pDocument == nullptr)
        return;
    QTreeView& tree = Tree();
    const TextResourceObject& entries = g_pDocument->m_textResources;
    const auto wanted = static_cast<std::uint32_t>(id);
    if (m_model.IsFiltered()) {
        // A search hit is shown even where the filter would hide it.
        for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i)
            if (entries.GetEntry(i)->id == wanted)
                RevealPosition(i);
    }
    QModelIndex last;
    for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i) {
        if (entries.GetEntry(i)->id != wanted)
            continue;
        last = m_model.EntryIndex(i);
        tree.setCurrentIndex(last); // each match is selected, and shown, in turn
    }
    if (last.isValid())
        tree.scrollTo(last);
}

void CLexariumView::OnSelchanged() {
    if (m_bRestoringSelection)
        return; // the filter shows the same item again: nothing changed
    const QModelIndex selected = Tree().currentIndex();
    if (!selected.isValid())
        return;
    CMainFrame* frame = MainFrame();
    // A line about what was there before goes with the new selection.
    if (frame != nullptr)
        frame->ClearStatusLine();
    if (m_model.IsRoot(selected)) {
        // The current entry stays: the entry commands still act on it.
        if (frame != nullptr) {
            frame->SwitchRightPane(PANE_STATISTICS);
            frame->OnEntrySelected(nullptr);
        }
        if (CWinApp* app = AfxGetApp())
            app->RequestIdleUpdate();
        return;
    }
    // The entry being left may have been edited: the filter reads it anew.
    RefoldEntry(m_pCurrentEntry);
    m_pCurrentEntry = m_model.EntryAt(selected);
    if (m_pCurrentEntry == nullptr)
        return;
    if (frame != nullptr)
        frame->SwitchRightPane(PANE_EDITOR);
    if (g_pTextView != nullptr) {
        g_pTextView->FillFromEntry();
        g_pTextView->ShowEntryFields(true);
    }
    if (frame != nullptr) {
        frame->OnCurrentEntryChanged();
        frame->OnEntrySelected(m_pCurrentEntry);
    }
    // The enable rules of the entry commands follow the selection.
    if (CWinApp* app = AfxGetApp())
        app->RequestIdleUpdate();
}

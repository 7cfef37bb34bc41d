// The entry tree over a model that owns nothing: rows are read from the
// document's collection on request, and a rebuild is one model reset.

#include "LexariumView.h"

#include "FrameWnd.h"
#include "LexariumDoc.h"
#include "LexariumView_Text.h"
#include "MainFrame.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>
#include <QTreeView>

// Internal id 0 marks the root; an entry item carries id 1 and its row is the position.
class CEntryTreeModel : public QAbstractItemModel {
public:
    using QAbstractItemModel::QAbstractItemModel;

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    QModelIndex RootIndex() const { return createIndex(0, 0, quintptr(0)); }
    QModelIndex EntryIndex(int position) const { return createIndex(position, 0, quintptr(1)); }
    static bool IsRoot(const QModelIndex& index) {
        return index.isValid() && index.internalId() == 0;
    }

    QModelIndex index(int row, int column, const QModelIndex& parent) const override {
        if (column != 0 || row < 0)
            return {};
        if (!parent.isValid())
            return row == 0 ? RootIndex() : QModelIndex();
        if (IsRoot(parent) && row < EntryCount())
            return EntryIndex(row);
        return {};
    }
    QModelIndex parent(const QModelIndex& child) const override {
        return child.isValid() && child.internalId() == 1 ? RootIndex() : QModelIndex();
    }
    int rowCount(const QModelIndex& parent) const override {
        if (!parent.isValid())
            return 1;
        return IsRoot(parent) ? EntryCount() : 0;
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        if (IsRoot(index))
            return AfxLoadString(IDS_TREE_ROOT);
        const TextResourceEntry* entry =
            g_pDocument != nullptr
                ? g_pDocument->m_textResources.GetEntry(static_cast<std::uint32_t>(index.row()))
                : nullptr;
        return entry != nullptr ? QString::fromStdString(entry->identifier) : QString();
    }

private:
    static int EntryCount() {
        return g_pDocument != nullptr
                   ? static_cast<int>(g_pDocument->m_textResources.GetEntryCount())
                   : 0;
    }
};

IMPLEMENT_DYNCREATE(CLexariumView, CTreeView)

CLexariumView::CLexariumView() : m_pModel(new CEntryTreeModel(this)) {
    GetTreeCtrl().setModel(m_pModel);
    connect(GetTreeCtrl().selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { OnSelchanged(); });
    g_pTreeView = this;
}

CLexariumView::~CLexariumView() {
    if (g_pTreeView == this)
        g_pTreeView = nullptr;
}

CLexariumDoc* CLexariumView::GetDocument() const {
    return dynamic_cast<CLexariumDoc*>(CView::GetDocument());
}

void CLexariumView::OnInitialUpdate() {
    CTreeView::OnInitialUpdate();
    RebuildTree();
}

void CLexariumView::RebuildTree() {
    QTreeView& tree = GetTreeCtrl();
    {
        const QSignalBlocker blocker(tree.selectionModel());
        tree.selectionModel()->clear();
        m_pModel->Reset();
    }
    tree.expand(m_pModel->RootIndex());
    if (g_pDocument == nullptr || m_pCurrentEntry == nullptr)
        return;
    const auto& entries = g_pDocument->m_textResources;
    for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i) {
        if (entries.GetEntry(i) == m_pCurrentEntry) {
            SelectPosition(static_cast<int>(i));
            return;
        }
    }
}

void CLexariumView::SelectPosition(int position) {
    const QModelIndex index = position < 0 ? m_pModel->RootIndex() : m_pModel->EntryIndex(position);
    GetTreeCtrl().selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void CLexariumView::SelectEntryById(int id) {
    if (g_pDocument == nullptr)
        return;
    const auto& entries = g_pDocument->m_textResources;
    for (std::uint32_t i = 0; i < entries.GetEntryCount(); ++i) {
        if (static_cast<int>(entries.GetEntry(i)->id) == id)
            SelectPosition(static_cast<int>(i));
    }
}

void CLexariumView::SetCurrentItemText(const CString&) {
    // The label is read from the entry, which already holds the new identifier.
    const QModelIndex current = GetTreeCtrl().currentIndex();
    if (current.isValid())
        emit m_pModel->dataChanged(current, current);
}

void CLexariumView::OnSelchanged() {
    const QModelIndex current = GetTreeCtrl().currentIndex();
    if (!current.isValid())
        return;
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (CEntryTreeModel::IsRoot(current)) {
        if (frame != nullptr)
            frame->SwitchRightPane(PANE_STATISTICS);
        return;
    }
    m_pCurrentEntry =
        g_pDocument != nullptr
            ? g_pDocument->m_textResources.GetEntry(static_cast<std::uint32_t>(current.row()))
            : nullptr;
    if (m_pCurrentEntry != nullptr) {
        if (frame != nullptr)
            frame->SwitchRightPane(PANE_EDITOR);
        if (g_pTextView != nullptr) {
            g_pTextView->FillFromEntry();
            g_pTextView->ShowEntryFields(true);
        }
    }
    if (CWinApp* app = AfxGetApp())
        app->RequestIdleUpdate();
}

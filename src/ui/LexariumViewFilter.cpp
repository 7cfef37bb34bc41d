// The entry tree's filter (the field above the tree, the rows it leaves,
// the entries kept visible) and what find and replace asks of the tree.

#include "EditControl.h"
#include "EntryText.h"
#include "FormControls.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"
#include "MainFrame.h"
#include "model/TextResourceObject.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <algorithm>
#include <iterator>
#include <numeric>

namespace {

// Keys typed within this pause are filtered together.
constexpr int kFilterPauseMs = 120;

const char* const kPreparingFilter = "Preparing the filter...";

TextResourceObject* Collection() {
    return g_pDocument != nullptr ? &g_pDocument->m_textResources : nullptr;
}

} // namespace

void CLexariumView::CreateFilterField() {
    m_pFilterEdit = new QLineEdit(this);
    m_pFilterEdit->setPlaceholderText(QStringLiteral("Filter (Strg+L)"));
    m_pFilterEdit->setClearButtonEnabled(true);
    m_pFilterEdit->setToolTip(QStringLiteral(
        "Shows the entries that contain every word (letter case ignored);\n"
        "speaker:NAME, speaker:\"Captain Vale\", id:N and problem: narrow it further.\n"
        "Escape clears the filter."));
    m_pFilterEdit->installEventFilter(this);
    m_filterTimer.setSingleShot(true);
    m_filterTimer.setInterval(kFilterPauseMs);
    QObject::connect(&m_filterTimer, &QTimer::timeout, [this] { ApplyFilter(); });
    QObject::connect(m_pFilterEdit, &QLineEdit::textChanged, [this] {
        // The folded text takes a while over a large file: the first key
        // starts it, the keys that follow are filtered once it is ready.
        if (!ParseEntryFilter(m_pFilterEdit->text()).NeedsIndex() || m_index.IsBuilt())
            m_filterTimer.start();
        else
            PrepareIndex();
    });
}

void CLexariumView::resizeEvent(QResizeEvent* event) {
    CTreeView::resizeEvent(event);
    const int height = m_pFilterEdit->sizeHint().height();
    m_pFilterEdit->setGeometry(0, 0, width(), height);
    Tree().setGeometry(0, height, width(), std::max(0, this->height() - height));
}

bool CLexariumView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pFilterEdit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !m_pFilterEdit->text().isEmpty()) {
        m_pFilterEdit->clear();
        ApplyFilter();
        return true;
    }
    return CTreeView::eventFilter(watched, event);
}

void CLexariumView::FocusFilter() {
    m_pFilterEdit->setFocus(Qt::ShortcutFocusReason);
    m_pFilterEdit->selectAll();
}

void CLexariumView::RefoldEntry(const TextResourceEntry* entry) {
    const TextResourceObject* entries = Collection();
    if (entry == nullptr || entries == nullptr || !m_index.IsBuilt())
        return;
    const std::uint32_t position = entries->PositionOf(entry);
    if (position < entries->GetEntryCount() && position < m_index.Count())
        m_index.Update(position, *entry);
}

void CLexariumView::DropIndexOfOtherFile() {
    // Open and New replace the entries before they say so.
    if (g_pDocument != nullptr && g_pDocument->m_nFileChanges == m_nIndexFile)
        return;
    m_builder.Cancel();
    m_index.Clear();
    m_awaitingRemoval = false;
}

void CLexariumView::SyncIndexAfterRebuild() {
    const TextResourceObject* entries = Collection();
    DropIndexOfOtherFile();
    if (!m_index.IsBuilt())
        return;
    const std::uint32_t count = entries != nullptr ? entries->GetEntryCount() : 0;
    if (count == m_index.Count() + 1) {
        m_index.Update(count - 1, *entries->GetEntry(count - 1)); // a new entry
    } else if (count + 1 == m_index.Count()) {
        m_awaitingRemoval = true; // the notice says which entry went
    } else if (count != m_index.Count()) {
        // Positions moved in a way the index cannot follow: fold again when needed.
        m_index.Clear();
        m_revealed.clear();
    }
}

void CLexariumView::OnEntriesChanged(CLexariumDoc::EntriesChange change, std::uint32_t position) {
    using Change = CLexariumDoc::EntriesChange;
    const TextResourceObject* entries = Collection();
    const std::uint32_t count = entries != nullptr ? entries->GetEntryCount() : 0;
    switch (change) {
    case Change::Edited:
        // A built index folds the entry again now; one being built, when it is ready.
        if (m_index.IsBuilt() && position < m_index.Count() && position < count)
            m_index.Update(position, *entries->GetEntry(position));
        m_builder.NoteEdited(position);
        break;
    case Change::Added:
        break; // entries past the copy are folded when the index is ready
    case Change::Removed: {
        // Positions after it move up: a build from the old copy is of no use.
        if (m_builder.IsBuilding() && entries != nullptr)
            m_builder.Start(*entries);
        if (m_index.IsBuilt() && m_index.Count() == count + 1)
            m_index.Remove(position);
        else if (m_index.Count() != count)
            m_index.Clear();
        m_awaitingRemoval = false;
        std::erase(m_revealed, position);
        for (std::uint32_t& revealed : m_revealed)
            if (revealed > position)
                --revealed;
        if (!m_query.IsEmpty())
            ShowRows(true);
        break;
    }
    case Change::Reloaded:
        DropIndexOfOtherFile();
        break;
    case Change::Saved:
        break;
    }
}

void CLexariumView::PrepareIndex() {
    const TextResourceObject* entries = Collection();
    if (entries == nullptr || m_builder.IsBuilding())
        return;
    m_nIndexFile = g_pDocument->m_nFileChanges;
    m_builder.Start(*entries);
    if (CMainFrame* frame = MainFrame())
        frame->ShowStatusLine(QString::fromLatin1(kPreparingFilter));
}

void CLexariumView::OnIndexReady(EntryFoldIndex index, std::uint32_t copied,
                                 const std::vector<std::uint32_t>& edited) {
    const TextResourceObject* entries = Collection();
    if (entries == nullptr || entries->GetEntryCount() < copied)
        return; // cannot happen: a removal, New and Open start it again
    // The keys typed meanwhile are applied now; the hint goes.
    if (CMainFrame* frame = MainFrame();
        frame != nullptr && frame->GetStatusLine() == QLatin1String(kPreparingFilter))
        frame->ClearStatusLine();
    m_index = std::move(index);
    m_awaitingRemoval = false;
    // What changed while the copy was folded is folded again from the entries.
    for (const std::uint32_t position : edited)
        m_index.Update(position, *entries->GetEntry(position));
    for (std::uint32_t position = copied; position < entries->GetEntryCount(); ++position)
        m_index.Update(position, *entries->GetEntry(position));
    ApplyFilter();
}

void CLexariumView::RevealPosition(std::uint32_t position) {
    const auto at = std::lower_bound(m_revealed.begin(), m_revealed.end(), position);
    if (at == m_revealed.end() || *at != position)
        m_revealed.insert(at, position);
    if (m_model.IsFiltered() && !m_model.EntryIndex(position).isValid())
        ShowRows(true);
}

std::optional<std::vector<std::uint32_t>> CLexariumView::FilteredRows() {
    const TextResourceObject* entries = Collection();
    if (entries == nullptr)
        return std::vector<std::uint32_t>{};
    const std::uint32_t count = entries->GetEntryCount();
    DropIndexOfOtherFile();
    std::vector<std::uint32_t> rows;
    if (!m_query.noMatch) {
        if (m_query.words.empty() && m_query.speaker.empty()) {
            rows.resize(count);
            std::iota(rows.begin(), rows.end(), 0u);
        } else {
            if (!m_index.IsBuilt() || m_awaitingRemoval) {
                if (!m_index.IsBuilt())
                    PrepareIndex();
                return std::nullopt;
            }
            RefoldEntry(m_pCurrentEntry); // the form may have changed it
            rows = m_index.Find(m_query.words, m_query.speaker);
        }
        if (m_query.id) {
            std::erase_if(rows,
                          [&](std::uint32_t p) { return entries->GetEntry(p)->id != *m_query.id; });
        }
        if (m_query.problems) {
            std::vector<std::uint32_t> problems =
                m_problemSource ? m_problemSource() : std::vector<std::uint32_t>{};
            std::vector<std::uint32_t> both;
            std::set_intersection(rows.begin(), rows.end(), problems.begin(), problems.end(),
                                  std::back_inserter(both));
            rows.swap(both);
        }
    }
    std::erase_if(m_revealed, [count](std::uint32_t p) { return p >= count; });
    if (!m_revealed.empty()) {
        std::vector<std::uint32_t> shown;
        shown.reserve(rows.size() + m_revealed.size());
        std::set_union(rows.begin(), rows.end(), m_revealed.begin(), m_revealed.end(),
                       std::back_inserter(shown));
        rows.swap(shown);
    }
    return rows;
}

void CLexariumView::ShowRows(bool keepSelection) {
    QTreeView& tree = Tree();
    const bool rootSelected = m_model.IsRoot(tree.currentIndex());
    m_bRestoringSelection = true;
    if (m_query.IsEmpty())
        m_model.SetVisibleRows(std::nullopt);
    else
        m_model.SetVisibleRows(FilteredRows());
    tree.expand(m_model.RootIndex());
    // The same item is selected again where it is still shown; the form keeps
    // showing the current entry either way.
    QModelIndex again;
    if (rootSelected)
        again = m_model.RootIndex();
    else if (const std::optional<std::uint32_t> current = CurrentPosition())
        again = m_model.EntryIndex(*current);
    if (keepSelection && again.isValid()) {
        tree.setCurrentIndex(again);
        tree.scrollTo(again);
    }
    m_bRestoringSelection = false;
}

void CLexariumView::ApplyFilter() {
    m_filterTimer.stop();
    m_query = ParseEntryFilter(m_pFilterEdit->text());
    m_revealed.clear(); // a new query: only what it finds
    ShowRows(true);
}

bool CLexariumView::SelectEntryAt(std::uint32_t position) {
    const TextResourceObject* entries = Collection();
    if (entries == nullptr || position >= entries->GetEntryCount())
        return false;
    if (m_model.IsFiltered())
        RevealPosition(position); // shown even where the filter would hide it
    const QModelIndex item = m_model.EntryIndex(position);
    Tree().setCurrentIndex(item);
    Tree().scrollTo(item);
    return true;
}

void CLexariumView::ShowFieldRange(EntryField field, std::size_t from, std::size_t to) {
    const TextResourceEntry* entry = m_pCurrentEntry;
    if (entry == nullptr || g_pTextView == nullptr)
        return;
    // The form's control of each field, in the order of the fields.
    constexpr int kControls[] = {IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_TEXT, IDC_COMMENT,
                                 IDC_SPEAKER};
    static_assert(std::size(kControls) == kAllEntryFields.size());
    const auto index = static_cast<std::size_t>(field);
    const int id = index < std::size(kControls) ? kControls[index] : IDC_TEXT;
    QWidget* control = g_pTextView->GetDlgItem(id);
    const std::string& stored = FieldOf(*entry, field);
    // Positions as the field shows them: a multi-line field shows CR LF as one break.
    const bool multiLine = id == IDC_TEXT || id == IDC_COMMENT;
    auto shown = [&](std::size_t bytes) {
        const QString text = FromUtf8(stored.substr(0, std::min(bytes, stored.size())));
        return static_cast<int>(text.size() - (multiLine ? text.count(QStringLiteral("\r\n")) : 0));
    };
    AfxEditSetSel(control, shown(from), shown(to));
}

void CLexariumView::EntriesEdited(const std::vector<std::uint32_t>& positions) {
    const TextResourceObject* entries = Collection();
    if (entries == nullptr)
        return;
    for (std::uint32_t position : positions) {
        if (position < m_index.Count())
            m_index.Update(position, *entries->GetEntry(position));
        m_model.SetLabel(m_model.EntryIndex(position),
                         FromUtf8(entries->GetEntry(position)->identifier));
        m_model.EntryChanged(position);
    }
    const std::optional<std::uint32_t> current = CurrentPosition();
    if (current && g_pTextView != nullptr &&
        std::binary_search(positions.begin(), positions.end(), *current))
        g_pTextView->FillFromEntry();
}

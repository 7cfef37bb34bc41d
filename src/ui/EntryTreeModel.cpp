#include "EntryTreeModel.h"

#include "EntryText.h"
#include "model/TextResourceObject.h"

#include <algorithm>
#include <limits>

namespace {

// The internal id of an index says where its item hangs: the root at the top,
// entries under the root. That is all a parent lookup needs.
constexpr quintptr kTopLevel = 1;
constexpr quintptr kUnderRoot = 2;
constexpr qint64 kRootKey = -1;

} // namespace

EntryTreeModel::EntryTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void EntryTreeModel::SetCollection(TextResourceObject* collection) {
    beginResetModel();
    m_pCollection = collection;
    m_labels.clear();
    m_rows.reset();
    endResetModel();
}

void EntryTreeModel::SetVisibleRows(std::optional<std::vector<std::uint32_t>> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_labels.clear();
    endResetModel();
}

void EntryTreeModel::SetRootLabel(const QString& label) {
    if (!label.isEmpty())
        m_rootLabel = label;
    const QModelIndex root = RootIndex();
    emit dataChanged(root, root, {Qt::DisplayRole});
}

void EntryTreeModel::Reset() {
    beginResetModel();
    m_labels.clear();
    endResetModel();
}

std::uint32_t EntryTreeModel::EntryCount() const {
    return m_pCollection ? m_pCollection->GetEntryCount() : 0;
}

QString EntryTreeModel::RootLabel() const {
    if (!m_rows)
        return m_rootLabel;
    return QStringLiteral("%1 (%2 of %3)").arg(m_rootLabel).arg(m_rows->size()).arg(EntryCount());
}

int EntryTreeModel::EntryRows() const {
    if (!m_pCollection)
        return 0;
    const std::uint32_t count =
        m_rows ? static_cast<std::uint32_t>(m_rows->size()) : m_pCollection->GetEntryCount();
    constexpr auto kMaxRows = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    return static_cast<int>(count < kMaxRows ? count : kMaxRows);
}

QModelIndex EntryTreeModel::RootIndex() const {
    return createIndex(0, 0, kTopLevel);
}

QModelIndex EntryTreeModel::EntryIndex(std::uint32_t position) const {
    if (m_rows) {
        const auto it = std::lower_bound(m_rows->begin(), m_rows->end(), position);
        if (it == m_rows->end() || *it != position || it - m_rows->begin() >= EntryRows())
            return {};
        return createIndex(static_cast<int>(it - m_rows->begin()), 0, kUnderRoot);
    }
    if (position >= static_cast<std::uint32_t>(EntryRows()))
        return {};
    return createIndex(static_cast<int>(position), 0, kUnderRoot);
}

bool EntryTreeModel::IsRoot(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.internalId() == kTopLevel;
}

std::optional<std::uint32_t> EntryTreeModel::EntryPosition(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.internalId() != kUnderRoot)
        return std::nullopt;
    if (index.row() >= EntryRows())
        return std::nullopt;
    if (m_rows) {
        const std::uint32_t position = (*m_rows)[static_cast<std::size_t>(index.row())];
        if (position >= EntryCount())
            return std::nullopt;
        return position;
    }
    return static_cast<std::uint32_t>(index.row());
}

TextResourceEntry* EntryTreeModel::EntryAt(const QModelIndex& index) const {
    const auto position = EntryPosition(index);
    return position ? m_pCollection->GetEntry(*position) : nullptr;
}

QString EntryTreeModel::EntryLabel(std::uint32_t position) const {
    const TextResourceEntry* entry = m_pCollection->GetEntry(position);
    if (!entry)
        return {};
    return FromUtf8(entry->identifier);
}

void EntryTreeModel::SetLabel(const QModelIndex& index, const QString& text) {
    qint64 key;
    QString shown;
    if (IsRoot(index)) {
        key = kRootKey;
        shown = RootLabel();
    } else if (const auto position = EntryPosition(index)) {
        key = *position;
        shown = EntryLabel(*position);
    } else {
        return;
    }
    // A label that says what the item shows anyway needs no entry of its own.
    if (text == shown)
        m_labels.remove(key);
    else
        m_labels.insert(key, text);
    emit dataChanged(index, index, {Qt::DisplayRole});
}

void EntryTreeModel::EntryChanged(std::uint32_t position) {
    const QModelIndex changed = EntryIndex(position);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::DisplayRole});
}

QModelIndex EntryTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? RootIndex() : QModelIndex();
    if (IsRoot(parent) && row < EntryRows())
        return createIndex(row, 0, kUnderRoot);
    return {};
}

QModelIndex EntryTreeModel::parent(const QModelIndex& child) const {
    if (child.isValid() && child.internalId() == kUnderRoot)
        return RootIndex();
    return {};
}

int EntryTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return 1;
    if (IsRoot(parent))
        return EntryRows();
    return 0;
}

int EntryTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool EntryTreeModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid())
        return true;
    return IsRoot(parent) && EntryRows() > 0;
}

QVariant EntryTreeModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (IsRoot(index))
        return m_labels.value(kRootKey, RootLabel());
    const auto position = EntryPosition(index);
    if (!position)
        return {};
    if (!m_labels.isEmpty()) {
        const auto replaced = m_labels.constFind(*position);
        if (replaced != m_labels.constEnd())
            return *replaced;
    }
    return EntryLabel(*position);
}

Qt::ItemFlags EntryTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool EntryTreeModel::setData(const QModelIndex&, const QVariant&, int) {
    return false;
}

// The item model behind the entry tree: one root item and one child per entry
// of the open file, read straight from the collection on request. It stores
// nothing per entry, so a file of a million entries costs the model nothing
// and a rebuild is a single model reset.
#pragma once

#include <QAbstractItemModel>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class TextResourceEntry;
class TextResourceObject;

class EntryTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit EntryTreeModel(QObject* parent = nullptr);

    // The collection whose entries the tree shows; null shows the root alone.
    void SetCollection(TextResourceObject* collection);
    TextResourceObject* Collection() const { return m_pCollection; }

    // The root item's label.
    void SetRootLabel(const QString& label);

    // Re-reads the collection: every index handed out before becomes invalid.
    void Reset();

    // Shows only the entries at these positions (ascending), or, with none,
    // every entry; the root then reads "Textresourcen (N of M)".
    void SetVisibleRows(std::optional<std::vector<std::uint32_t>> rows);
    bool IsFiltered() const { return m_rows.has_value(); }

    QModelIndex RootIndex() const;
    QModelIndex EntryIndex(std::uint32_t position) const;
    bool IsRoot(const QModelIndex& index) const;
    // The position of an entry item in the collection; none for the root or an invalid index.
    std::optional<std::uint32_t> EntryPosition(const QModelIndex& index) const;
    TextResourceEntry* EntryAt(const QModelIndex& index) const;

    // The label of an item, normally the root's title or the entry's identifier,
    // can be replaced until the next reset; labels always follow the identifiers
    // after a reset.
    void SetLabel(const QModelIndex& index, const QString& text);
    // Tells the views that the entry at this position shows a new label.
    void EntryChanged(std::uint32_t position);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Labels may be edited in place, but the edit never reaches the entry:
    // identifiers are changed in the editor form only, so the label reverts.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    int EntryRows() const;
    std::uint32_t EntryCount() const;
    QString RootLabel() const;
    QString EntryLabel(std::uint32_t position) const;

    TextResourceObject* m_pCollection = nullptr; // not owned: the document's collection
    QString m_rootLabel = QStringLiteral("Textresourcen");
    // Labels replaced by SetLabel, by position; the root's under -1.
    QHash<qint64, QString> m_labels;
    // The positions shown while a filter is set.
    std::optional<std::vector<std::uint32_t>> m_rows;
};

#include "FindingsModel.h"

#include "ProblemsList.h"

#include <QApplication>
#include <QPalette>

FindingsModel::FindingsModel(const ProblemsList& list, QObject* parent)
    : CHeadedTableModel({QStringLiteral("Kind"), QStringLiteral("Id"), QStringLiteral("Identifier"),
                         QStringLiteral("Detail")},
                        parent),
      m_list(list) {}

void FindingsModel::Reset() {
    beginResetModel();
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_list.Findings().size());
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const check::Finding& finding = m_list.Findings()[std::size_t(index.row())];
    if (role == Qt::ForegroundRole && m_list.GetState() == ProblemsList::State::OutOfDate)
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case ColumnKind:
        return QString::fromStdString(finding.kind);
    case ColumnId:
        return finding.OfEntry() ? QVariant(QString::number(finding.id)) : QVariant();
    case ColumnIdentifier:
        // An entry of the reference that the file lacks is named by its identifier alone.
        return finding.OfEntry() || finding.scope == check::Scope::Reference
                   ? QVariant(QString::fromUtf8(finding.identifier))
                   : QVariant();
    case ColumnDetail:
        return QString::fromUtf8(finding.detail);
    default:
        return {};
    }
}

#include "HeadedTableModel.h"

CHeadedTableModel::CHeadedTableModel(QStringList headings, QObject* parent)
    : QAbstractTableModel(parent), m_headings(std::move(headings)) {}

int CHeadedTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant CHeadedTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_headings.size())
        return {};
    return m_headings[section];
}

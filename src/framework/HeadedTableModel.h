#pragma once

// A table model of fixed columns under headings: the column count and the
// horizontal headings come from the list it is made with; the rows and what
// they show are the subclass's.

#include <QAbstractTableModel>
#include <QStringList>

class CHeadedTableModel : public QAbstractTableModel {
public:
    CHeadedTableModel(QStringList headings, QObject* parent);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
};

// The rows of the problems list: one per finding, with its kind, the id and
// identifier of its entry, and its detail, as lexarium-tool check words them.
// It reads the findings of the list on request and stores nothing per row.
#pragma once

#include "HeadedTableModel.h"

class ProblemsList;

class FindingsModel : public CHeadedTableModel {
    Q_OBJECT

public:
    enum Column { ColumnKind, ColumnId, ColumnIdentifier, ColumnDetail, ColumnCount };

    explicit FindingsModel(const ProblemsList& list, QObject* parent = nullptr); // not owned

    // The list's findings changed: the rows are read anew.
    void Reset();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const ProblemsList& m_list;
};

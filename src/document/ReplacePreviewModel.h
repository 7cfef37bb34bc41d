// The rows of the replace preview: every change of a replace all (identifier,
// field, before and after, the matches marked), then every change that is
// left out with its reason. It reads the plan on request and stores nothing
// per row, so a plan of a million changes opens at once.
#pragma once

#include "HeadedTableModel.h"
#include "ReplacePlan.h"

#include <QStringList>

class TextResourceObject;

class ReplacePreviewModel : public CHeadedTableModel {
public:
    enum Column { Identifier, Field, Before, After, Note, ColumnCount };
    // Even elements are plain text, odd elements the matches, in order.
    static constexpr int SegmentsRole = Qt::UserRole + 1;

    ReplacePreviewModel(const ReplacePlan& plan, const TextResourceObject& entries,
                        QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const FieldChange& Row(int row) const;

    const ReplacePlan& m_plan;           // not owned; outlives the dialog
    const TextResourceObject& m_entries; // not owned
};

// A field's bytes as one line of the preview: the spans marked, line breaks
// and tabs shown as visible signs.
QStringList MarkedSegments(const std::string& bytes, const std::vector<ByteSpan>& spans);

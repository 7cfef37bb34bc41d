#include "ReplacePreviewModel.h"

#include "DecodedField.h"
#include "model/TextResourceObject.h"

namespace {

QString OneLine(std::string_view bytes) {
    QString text = DecodeField(bytes).text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\u21B5"));
    text.replace(u'\r', u'\u21B5');
    text.replace(u'\n', u'\u21B5');
    text.replace(u'\t', u'\u21E5');
    return text;
}

} // namespace

QStringList MarkedSegments(const std::string& bytes, const std::vector<ByteSpan>& spans) {
    QStringList segments;
    const std::string_view all(bytes);
    std::size_t at = 0;
    for (const ByteSpan& span : spans) {
        segments << OneLine(all.substr(at, span.first - at))
                 << OneLine(all.substr(span.first, span.second - span.first));
        at = span.second;
    }
    segments << OneLine(all.substr(at));
    return segments;
}

ReplacePreviewModel::ReplacePreviewModel(const ReplacePlan& plan, const TextResourceObject& entries,
                                         QObject* parent)
    : CHeadedTableModel({QStringLiteral("Identifier"), QStringLiteral("Field"),
                         QStringLiteral("Before"), QStringLiteral("After"), QStringLiteral("Note")},
                        parent),
      m_plan(plan), m_entries(entries) {}

const FieldChange& ReplacePreviewModel::Row(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return r < m_plan.changes.size() ? m_plan.changes[r]
                                     : m_plan.skipped[r - m_plan.changes.size()];
}

int ReplacePreviewModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_plan.changes.size() + m_plan.skipped.size());
}

QVariant ReplacePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FieldChange& change = Row(index.row());
    if (role == SegmentsRole) {
        if (index.column() == Before)
            return MarkedSegments(BeforeOf(m_entries, change), SpansBefore(m_plan, change));
        if (index.column() == After)
            return MarkedSegments(AfterOf(m_entries, m_plan, change), SpansAfter(m_plan, change));
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Identifier: {
        const TextResourceEntry* entry = m_entries.GetEntry(change.position);
        return entry != nullptr ? OneLine(entry->identifier) : QString();
    }
    case Field:
        return QString::fromLatin1(FieldName(change.field));
    case Before:
    case After:
        return data(index, SegmentsRole).toStringList().join(QString());
    case Note:
        return change.skip == SkipReason::None
                   ? QString()
                   : QStringLiteral("skipped: %1").arg(SkipReasonText(change.skip));
    default:
        return {};
    }
}

#include "ReplacePreviewDlg.h"

#include "DialogTemplate.h"
#include "ReplacePreviewModel.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

const QRect kTableRect(7, 20, 466, 236);

const DLGTEMPLATE kPreviewTemplate{
    "Replace all",
    480,
    282,
    "Tahoma",
    8,
    DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    {
        {IDC_PREVIEW_SUMMARY, CtlKind::Static, "", QRect(7, 7, 466, 8), 0},
        {IDOK, CtlKind::DefPushButton, "Replace", QRect(366, 262, 50, 14), WS_TABSTOP},
        {IDCANCEL, CtlKind::PushButton, "Cancel", QRect(423, 262, 50, 14), WS_TABSTOP},
    },
};

UINT RegisteredPreviewTemplate() {
    AfxGetResources().dialogs[IDD_REPLACE_PREVIEW] = &kPreviewTemplate;
    return IDD_REPLACE_PREVIEW;
}

// Draws a before or after cell with its matches on a marked background.
class MarkedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QStringList segments = index.data(ReplacePreviewModel::SegmentsRole).toStringList();
        if (segments.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter,
                                            option.widget);
        painter->save();
        painter->setClipRect(option.rect);
        const QFontMetrics metrics(option.font);
        int x = option.rect.left() + 3;
        bool shifted = false;
        // A match far into a long text is scrolled into the cell, behind an ellipsis.
        if (segments.size() > 1) {
            const int before = metrics.horizontalAdvance(segments[0]);
            const int mark = metrics.horizontalAdvance(segments[1]);
            if (before + mark > option.rect.width() - 6) {
                x -= before - option.rect.width() / 3;
                shifted = true;
            }
        }
        const int baseline =
            option.rect.top() + (option.rect.height() + metrics.ascent() - metrics.descent()) / 2;
        const bool selected = option.state & QStyle::State_Selected;
        for (qsizetype i = 0; i < segments.size(); ++i) {
            const int width = metrics.horizontalAdvance(segments[i]);
            if (i % 2 == 1) {
                painter->fillRect(QRect(x, option.rect.top() + 1, width, option.rect.height() - 2),
                                  QColor(255, 214, 102));
                painter->setPen(Qt::black);
            } else {
                painter->setPen(
                    option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            }
            painter->drawText(x, baseline, segments[i]);
            x += width;
        }
        if (shifted) {
            const QString ellipsis(QChar(0x2026));
            const QRect room(option.rect.left(), option.rect.top(),
                             metrics.horizontalAdvance(ellipsis) + 6, option.rect.height());
            painter->fillRect(
                room, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
            painter->setPen(
                option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            painter->drawText(room.left() + 3, baseline, ellipsis);
        }
        painter->restore();
    }
};

} // namespace

CReplacePreviewDlg::CReplacePreviewDlg(const ReplacePlan& plan, const TextResourceObject& entries,
                                       QWidget* pParent)
    : CDialog(RegisteredPreviewTemplate(), pParent), m_plan(plan), m_entries(entries) {}

bool CReplacePreviewDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    QString summary = QStringLiteral("%1 matches in %2 fields will be replaced.")
                          .arg(m_plan.matchCount)
                          .arg(m_plan.changes.size());
    if (!m_plan.skipped.empty())
        summary += QStringLiteral(" %1 identifiers are left out (see the last rows).")
                       .arg(m_plan.skipped.size());
    SetDlgItemText(IDC_PREVIEW_SUMMARY, summary);
    if (m_plan.changes.empty())
        GetDlgItem(IDOK)->setEnabled(false); // only left-out changes: nothing to apply

    m_pModel = new ReplacePreviewModel(m_plan, m_entries, this);
    m_pTable = new QTableView(this);
    m_pTable->setModel(m_pModel);
    m_pTable->setItemDelegate(new MarkedTextDelegate(m_pTable));
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setWordWrap(false);
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    const CDialogUnits units(AfxTemplateFont(kPreviewTemplate));
    m_pTable->setGeometry(units.MapDialogRect(kTableRect));
    const int width = m_pTable->width();
    m_pTable->setColumnWidth(ReplacePreviewModel::Identifier, width * 18 / 100);
    m_pTable->setColumnWidth(ReplacePreviewModel::Field, width * 9 / 100);
    m_pTable->setColumnWidth(ReplacePreviewModel::Before, width * 30 / 100);
    m_pTable->setColumnWidth(ReplacePreviewModel::After, width * 30 / 100);
    m_pTable->show();
    return true;
}

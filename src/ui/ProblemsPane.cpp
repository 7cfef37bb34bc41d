#include "ProblemsPane.h"

#include "FindingsModel.h"
#include "ProblemsList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

CProblemsPane::CProblemsPane(ProblemsList& list, QWidget* parent)
    : QDockWidget(parent), m_list(list) {
    setObjectName(QStringLiteral("problemsPane"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);

    auto* stateRow = new QHBoxLayout;
    m_pState = new QLabel(body);
    m_pState->setTextFormat(Qt::PlainText);
    m_pCheck = new QPushButton(QStringLiteral("Check"), body);
    m_pProgress = new QProgressBar(body);
    m_pProgress->setMaximumWidth(240);
    m_pProgress->setTextVisible(false);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), body);
    stateRow->addWidget(m_pState, 1);
    stateRow->addWidget(m_pProgress);
    stateRow->addWidget(m_pCancel);
    stateRow->addWidget(m_pCheck);
    layout->addLayout(stateRow);

    m_pModel = new FindingsModel(m_list, this);
    m_pTable = new QTableView(body);
    m_pTable->setModel(m_pModel);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setWordWrap(false);
    m_pTable->setAlternatingRowColors(true);
    // Rows of one height, so a million findings cost nothing to lay out.
    m_pTable->verticalHeader()->hide();
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(m_pTable->fontMetrics().height() + 6);
    QHeaderView* columns = m_pTable->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setStretchLastSection(true);
    columns->resizeSection(FindingsModel::ColumnKind, 170);
    columns->resizeSection(FindingsModel::ColumnId, 70);
    columns->resizeSection(FindingsModel::ColumnIdentifier, 220);
    layout->addWidget(m_pTable, 1);
    setWidget(body);

    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(kProgressDelayMs);
    connect(&m_progressDelay, &QTimer::timeout, this, [this] { ShowProgress(); });
    connect(m_pCheck, &QPushButton::clicked, this, &CProblemsPane::CheckRequested);
    connect(m_pCancel, &QPushButton::clicked, this, &CProblemsPane::CancelRequested);
    connect(m_pTable, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit FindingActivated(index.row()); });
    connect(&m_list, &ProblemsList::Changed, this, &CProblemsPane::OnListChanged);
    connect(&m_list, &ProblemsList::Progress, this, &CProblemsPane::OnProgress);
    connect(&m_list, &ProblemsList::Finished, this, [this] {
        m_progressDelay.stop();
        m_bShowingProgress = false;
        UpdateStateLine();
        UpdateTitle();
    });
    UpdateStateLine();
    UpdateTitle();
}

int CProblemsPane::CurrentRow() const {
    const QModelIndex current = m_pTable->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CProblemsPane::SetCurrentRow(int row) {
    const QModelIndex index = m_pModel->index(row, 0);
    if (!index.isValid())
        return;
    m_pTable->setCurrentIndex(index);
    m_pTable->scrollTo(index);
}

void CProblemsPane::OnListChanged() {
    // A change of state alone only greys or ungreys the rows.
    if (m_pModel->rowCount() != int(m_list.Findings().size()) || !m_list.IsRunning())
        m_pModel->Reset();
    else
        emit m_pModel->dataChanged(
            m_pModel->index(0, 0),
            m_pModel->index(m_pModel->rowCount() - 1, FindingsModel::ColumnCount - 1));
    UpdateStateLine();
    UpdateTitle();
}

void CProblemsPane::OnCheckStarted() {
    m_bShowingProgress = false;
    m_pProgress->setRange(0, 0);
    m_progressDelay.start();
    UpdateStateLine();
    UpdateTitle();
}

void CProblemsPane::OnProgress(quint64 done, quint64 total) {
    if (total > 0) {
        m_pProgress->setRange(0, 1000);
        m_pProgress->setValue(int(std::min<quint64>(done, total) * 1000 / total));
    }
    if (m_bShowingProgress)
        m_pState->setText(QStringLiteral("Checking: %1 of %2 entries...")
                              .arg(QLocale(QLocale::English).toString(qulonglong(done)),
                                   QLocale(QLocale::English).toString(qulonglong(total))));
}

void CProblemsPane::ShowProgress() {
    if (!m_list.IsRunning())
        return;
    m_bShowingProgress = true;
    UpdateStateLine();
}

void CProblemsPane::UpdateStateLine() {
    const bool running = m_list.IsRunning() && m_bShowingProgress;
    m_pProgress->setVisible(running);
    m_pCancel->setVisible(running);
    m_pCheck->setVisible(!running && m_list.GetState() != ProblemsList::State::Current);
    if (running) {
        m_pState->setText(QStringLiteral("Checking..."));
        return;
    }
    switch (m_list.GetState()) {
    case ProblemsList::State::NotChecked:
        m_pCheck->setText(QStringLiteral("Check"));
        m_pState->setText(m_list.WasCancelled()
                              ? QStringLiteral("The check was cancelled.")
                              : QStringLiteral("The entries have not been checked yet."));
        break;
    case ProblemsList::State::OutOfDate: {
        m_pCheck->setText(QStringLiteral("Check again"));
        const QString why = m_list.OutOfDateByReference()
                                ? QStringLiteral("Out of date: the reference file has changed "
                                                 "since this check.")
                                : QStringLiteral("Out of date: the entries have changed since "
                                                 "this check.");
        m_pState->setText(m_list.WasCancelled() ? QStringLiteral("The check was cancelled. ") + why
                                                : why);
        break;
    }
    case ProblemsList::State::Current:
        if (m_list.WasCancelled())
            m_pState->setText(QStringLiteral("The check was cancelled; the entries have not "
                                             "changed since the last check."));
        else
            m_pState->setText(m_list.Findings().empty() ? QStringLiteral("No problems found.")
                                                        : QString());
        break;
    }
}

void CProblemsPane::UpdateTitle() {
    const QString count = QLocale(QLocale::English).toString(qulonglong(m_list.Findings().size()));
    switch (m_list.GetState()) {
    case ProblemsList::State::NotChecked:
        setWindowTitle(QStringLiteral("Problems"));
        break;
    case ProblemsList::State::Current:
        setWindowTitle(QStringLiteral("Problems (%1)").arg(count));
        break;
    case ProblemsList::State::OutOfDate:
        setWindowTitle(QStringLiteral("Problems (%1, out of date)").arg(count));
        break;
    }
}

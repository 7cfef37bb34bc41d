// The problems list as the user sees it: a pane at the bottom of the main
// window, with the findings in a table, the count in its title, and a line
// above the table that says when the list is out of date (with a button to
// check again) and, while a long check runs, how far it is (with a button to
// cancel it).
#pragma once

#include <QDockWidget>
#include <QTimer>

class FindingsModel;
class ProblemsList;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

class CProblemsPane : public QDockWidget {
    Q_OBJECT

public:
    // Progress shows once a check has run this long.
    static constexpr int kProgressDelayMs = 500;

    CProblemsPane(ProblemsList& list, QWidget* parent); // list not owned

    QTableView* Table() const { return m_pTable; }
    QPushButton* CheckButton() const { return m_pCheck; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QLabel* StateLine() const { return m_pState; }
    QProgressBar* ProgressBar() const { return m_pProgress; }

    // The row of the finding the user is on, or -1; and putting the user there.
    int CurrentRow() const;
    void SetCurrentRow(int row);

signals:
    void CheckRequested();
    void CancelRequested();
    // Double-click or Enter on a finding.
    void FindingActivated(int row);

private:
    void OnListChanged();
    void OnCheckStarted();
    void OnProgress(quint64 done, quint64 total);
    void ShowProgress();
    void UpdateStateLine();
    void UpdateTitle();

    ProblemsList& m_list;
    FindingsModel* m_pModel;   // owned by the pane
    QTableView* m_pTable;      // owned by the pane
    QLabel* m_pState;          // owned by the pane
    QPushButton* m_pCheck;     // owned by the pane
    QProgressBar* m_pProgress; // owned by the pane
    QPushButton* m_pCancel;    // owned by the pane
    QTimer m_progressDelay;
    bool m_bShowingProgress = false;

    friend class CProblemsCommands; // tells the pane when a check starts
};

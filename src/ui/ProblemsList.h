// The findings of the problems list: a check of the open document, run on a
// worker thread over a copy of the entries taken when it starts, the findings
// it gave, and whether the entries have changed since. Positions in the
// findings always designate the entries they were made for: removing an entry
// drops its findings and moves those after it up, so a finding never points at
// another entry, although the list is then out of date.
#pragma once

#include "LexariumDoc.h"
#include "check/CheckOptions.h"
#include "check/Finding.h"

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <memory>
#include <vector>

class ProblemsList : public QObject {
    Q_OBJECT

public:
    enum class State {
        NotChecked, // nothing checked since the file was opened or made
        Current,    // the findings of the entries as they are
        OutOfDate,  // the entries changed after the check
    };

    explicit ProblemsList(QObject* parent = nullptr);
    // Cancels a running check and waits for its thread.
    ~ProblemsList() override;

    // Starts a check of the document's entries; a check still running is
    // cancelled first. Copying the entries is the only work done here.
    void Check(const CLexariumDoc& doc, const check::CheckOptions& options);
    // Stops a running check; the findings before it stay.
    void Cancel();
    bool IsRunning() const { return m_job != nullptr; }
    // Milliseconds since the running check started.
    qint64 RunningFor() const { return m_started.elapsed(); }

    State GetState() const { return m_state; }
    const std::vector<check::Finding>& Findings() const { return m_findings; }
    // Whether the entry at this position has a finding in the list.
    bool HasFinding(std::uint32_t position) const;
    // The row of the first finding of an entry after (or, with `forward`
    // false, before) `row`, going round at the end; -1 when no finding is
    // about an entry. `wrapped` tells whether it went round.
    int NextEntryFinding(int row, bool forward, bool& wrapped) const;
    // The same, starting from an entry's position instead of a row (-1: before the first).
    int NextEntryFindingFrom(std::int64_t position, bool forward, bool& wrapped) const;

    // The document tells of every change to its entries here.
    void OnEntriesChanged(CLexariumDoc::EntriesChange change, std::uint32_t position);

signals:
    // The findings or the state changed.
    void Changed();
    // A running check has done `done` of `total` entries.
    void Progress(quint64 done, quint64 total);
    // A check ended: with its findings, or cancelled.
    void Finished(bool completed);

private:
    struct Job;
    void OnJobDone(const std::shared_ptr<Job>& job);
    void SetFindings(std::vector<check::Finding> findings, State state);
    void RemovePosition(std::vector<check::Finding>& findings, std::uint32_t position) const;

    std::vector<check::Finding> m_findings;
    std::vector<bool> m_hasFinding; // by position
    State m_state = State::NotChecked;
    std::shared_ptr<Job> m_job; // the running check, or null
    // Cancelled checks whose threads have not reported yet.
    std::vector<std::shared_ptr<Job>> m_retiring;
    QElapsedTimer m_started;
};

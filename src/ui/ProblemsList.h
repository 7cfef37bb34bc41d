// The findings of the problems list: a check of the open document, run on a
// worker thread, the findings it gave, and whether the entries have changed
// since. The entries go to the worker in slices that the user-interface
// thread copies between its events, so the window answers throughout.
// Positions in the findings always designate the entries they were made for:
// removing an entry drops its findings and moves those after it up, so a
// finding never points at another entry, although the list is then out of
// date.
#pragma once

#include "LexariumDoc.h"
#include "check/CheckOptions.h"
#include "check/Finding.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
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

    // Where a check gets the recorded list, on its own thread: reading a
    // list of a hundred thousand lines would stop the window for a while.
    using RecordedSource = std::function<std::shared_ptr<const check::RecordedList>()>;

    // Starts a check of the document's entries as they are now; a check
    // still running is cancelled first. With `reference`, the entries are
    // also checked against it; the check keeps it while it runs. With
    // `recorded`, the check takes the recorded list it gives.
    void Check(const CLexariumDoc& doc, const check::CheckOptions& options,
               std::shared_ptr<const TextResourceObject> reference = {},
               RecordedSource recorded = {});
    // Stops a running check; the findings before it stay, in their state.
    void Cancel();
    // Whether the last check was cancelled before it gave its findings.
    bool WasCancelled() const { return m_bCancelled; }
    // What the check looks at changed beside the entries (a reference opened
    // or closed): the findings, and those of a running check, are out of date.
    void MarkOutOfDate();
    // Whether the list is out of date only because the reference changed.
    bool OutOfDateByReference() const { return m_bByReference; }
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
    struct Slice;
    struct Job;
    // Hands the next slices of the entries to the running check, for a few
    // milliseconds at most, and comes back for more from the event loop.
    void CopySlices();
    void OnJobDone(const std::shared_ptr<Job>& job);
    using FindingIt = std::vector<check::Finding>::const_iterator;
    // The findings about entries, which come together.
    std::pair<FindingIt, FindingIt> EntryFindings() const;
    void SetFindings(std::vector<check::Finding> findings, State state);
    void RemovePosition(std::vector<check::Finding>& findings, std::uint32_t position) const;

    std::vector<check::Finding> m_findings;
    std::vector<bool> m_hasFinding; // by position
    State m_state = State::NotChecked;
    std::shared_ptr<Job> m_job; // the running check, or null
    // Cancelled checks whose threads have not reported yet.
    std::vector<std::shared_ptr<Job>> m_retiring;
    QElapsedTimer m_started;
    QTimer m_copyTimer;
    const CLexariumDoc* m_pDoc = nullptr; // the document of the running check
    bool m_bCancelled = false;
    bool m_bByReference = false;
};

// The check runs on a thread of its own over a copy of the collection; the
// copy is all that the user-interface thread waits for. What the thread
// reports comes back through the event loop, so the findings and the state are
// only ever touched on the user-interface thread.

#include "ProblemsList.h"

#include "check/Checker.h"

#include <QMetaObject>
#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>

struct ProblemsList::Job {
    TextResourceObject entries; // the copy that is checked
    std::optional<TextResourceReadReport> damage;
    check::CheckOptions options;
    std::atomic<bool> cancel{false};
    std::optional<std::vector<check::Finding>> findings; // written by the thread before it reports
    std::thread thread;
    // What happened to the document's entries while the check ran (user-interface thread).
    bool changedSince = false;
    std::vector<std::uint32_t> removedSince;
};

ProblemsList::ProblemsList(QObject* parent) : QObject(parent) {}

ProblemsList::~ProblemsList() {
    if (m_job != nullptr) {
        m_job->cancel = true;
        m_retiring.push_back(std::move(m_job));
    }
    for (const std::shared_ptr<Job>& job : m_retiring) {
        if (job->thread.joinable())
            job->thread.join();
    }
}

void ProblemsList::Check(const CLexariumDoc& doc, const check::CheckOptions& options) {
    Cancel();
    auto job = std::make_shared<Job>();
    job->entries = doc.m_textResources;
    if (const TextResourceReadReport* damage = doc.LoadReport())
        job->damage = *damage;
    job->options = options;
    m_job = job;
    m_started.start();
    job->thread = std::thread([this, job] {
        check::CheckControl control;
        control.cancel = &job->cancel;
        control.progress = [this, job](std::uint64_t done, std::uint64_t total) {
            QMetaObject::invokeMethod(
                this,
                [this, job, done, total] {
                    if (job == m_job)
                        emit Progress(done, total);
                },
                Qt::QueuedConnection);
        };
        job->findings = check::CheckCollection(job->entries, job->options,
                                               job->damage ? &*job->damage : nullptr, control);
        QMetaObject::invokeMethod(
            this, [this, job] { OnJobDone(job); }, Qt::QueuedConnection);
    });
}

void ProblemsList::Cancel() {
    if (m_job == nullptr)
        return;
    m_job->cancel = true;
    // Its thread stops soon; it is joined when it reports.
    m_retiring.push_back(std::move(m_job));
    m_job.reset();
    emit Finished(false);
}

void ProblemsList::OnJobDone(const std::shared_ptr<Job>& job) {
    if (job->thread.joinable())
        job->thread.join();
    if (job != m_job) {
        std::erase(m_retiring, job);
        return;
    }
    m_job.reset();
    if (!job->findings) {
        emit Finished(false);
        return;
    }
    std::vector<check::Finding> findings = std::move(*job->findings);
    for (std::uint32_t position : job->removedSince)
        RemovePosition(findings, position);
    SetFindings(std::move(findings), job->changedSince ? State::OutOfDate : State::Current);
    emit Finished(true);
}

void ProblemsList::SetFindings(std::vector<check::Finding> findings, State state) {
    m_findings = std::move(findings);
    m_hasFinding.clear();
    for (const check::Finding& finding : m_findings) {
        if (!finding.OfEntry())
            continue;
        if (finding.position >= m_hasFinding.size())
            m_hasFinding.resize(std::size_t(finding.position) + 1);
        m_hasFinding[finding.position] = true;
    }
    m_state = state;
    emit Changed();
}

void ProblemsList::RemovePosition(std::vector<check::Finding>& findings,
                                  std::uint32_t position) const {
    std::erase_if(findings, [position](const check::Finding& finding) {
        return finding.OfEntry() && finding.position == position;
    });
    for (check::Finding& finding : findings) {
        if (finding.OfEntry() && finding.position > position)
            --finding.position;
    }
}

bool ProblemsList::HasFinding(std::uint32_t position) const {
    return position < m_hasFinding.size() && m_hasFinding[position];
}

void ProblemsList::OnEntriesChanged(CLexariumDoc::EntriesChange change, std::uint32_t position) {
    using Change = CLexariumDoc::EntriesChange;
    switch (change) {
    case Change::Reloaded:
        // Other entries altogether: nothing of the last check applies.
        Cancel();
        SetFindings({}, State::NotChecked);
        return;
    case Change::Saved:
        return;
    case Change::Removed:
        if (m_job != nullptr)
            m_job->removedSince.push_back(position);
        if (!m_findings.empty()) {
            std::vector<check::Finding> findings = std::move(m_findings);
            RemovePosition(findings, position);
            SetFindings(std::move(findings), m_state);
        }
        break;
    case Change::Edited:
    case Change::Added:
        break;
    }
    if (m_job != nullptr)
        m_job->changedSince = true;
    if (m_state == State::Current) {
        m_state = State::OutOfDate;
        emit Changed();
    }
}

int ProblemsList::NextEntryFinding(int row, bool forward, bool& wrapped) const {
    wrapped = false;
    // The entries' findings come together, after the file's and before the folder's.
    const auto first = std::find_if(m_findings.begin(), m_findings.end(),
                                    [](const check::Finding& f) { return f.OfEntry(); });
    if (first == m_findings.end())
        return -1;
    const auto end =
        std::find_if(first, m_findings.end(), [](const check::Finding& f) { return !f.OfEntry(); });
    const int firstRow = int(first - m_findings.begin());
    const int lastRow = int(end - m_findings.begin()) - 1;
    if (forward) {
        if (row < firstRow)
            return firstRow;
        if (row < lastRow)
            return row + 1;
        wrapped = true;
        return firstRow;
    }
    if (row > lastRow)
        return lastRow;
    if (row > firstRow)
        return row - 1;
    wrapped = true;
    return lastRow;
}

int ProblemsList::NextEntryFindingFrom(std::int64_t position, bool forward, bool& wrapped) const {
    wrapped = false;
    const auto first = std::find_if(m_findings.begin(), m_findings.end(),
                                    [](const check::Finding& f) { return f.OfEntry(); });
    if (first == m_findings.end())
        return -1;
    const auto end =
        std::find_if(first, m_findings.end(), [](const check::Finding& f) { return !f.OfEntry(); });
    if (forward) {
        const auto next = std::find_if(first, end, [position](const check::Finding& f) {
            return std::int64_t(f.position) > position;
        });
        if (next != end)
            return int(next - m_findings.begin());
        wrapped = true;
        return int(first - m_findings.begin());
    }
    // The last finding before the position, going round to the last of all.
    auto before = end;
    while (before != first && std::int64_t((before - 1)->position) >= position)
        --before;
    if (before != first)
        return int(before - m_findings.begin()) - 1;
    wrapped = true;
    return int(end - m_findings.begin()) - 1;
}

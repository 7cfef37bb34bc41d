// The check runs on a thread of its own. The entries reach it in slices: the
// user-interface thread copies a few thousand entries at a time into a slice
// (their fields back to back in one buffer that the worker made and touched,
// so a copy costs a few byte copies and no fresh memory), and goes back to
// its events in between. Whatever changes the entries runs between two
// slices, on this thread, so the worker never sees an entry being changed.
// What the thread reports comes back through the event loop, so the findings
// and the state are only ever touched on the user-interface thread.

#include "ProblemsList.h"

#include "EntryOrigins.h"
#include "ReportedJob.h"
#include "check/Checker.h"
#include "check/DamageFindings.h"

#include <QMetaObject>
#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// Entries and bytes a slice holds at most (a larger entry has a slice of its
// own), slices in flight, and how long the user-interface thread copies
// before it goes back to its events.
constexpr std::size_t kSliceEntries = 4096;
constexpr std::size_t kSliceBytes = std::size_t(1) << 20;
constexpr std::size_t kSlices = 6;
constexpr qint64 kCopyBudgetMs = 5;

} // namespace

struct ProblemsList::Slice {
    struct Record {
        std::uint32_t position = 0; // the entry's position when the check started
        std::uint32_t id = 0;
        std::uint32_t lengthMs = 0;
        std::array<std::uint32_t, 5> sizes{}; // of the fields below, in `bytes`
    };
    static constexpr std::string TextResourceEntry::*kFields[5] = {
        &TextResourceEntry::identifier, &TextResourceEntry::audioFile, &TextResourceEntry::text,
        &TextResourceEntry::comment, &TextResourceEntry::speaker};

    std::vector<Record> records; // the first `count` are this slice's
    std::size_t count = 0;
    std::string bytes;

    // Made on the worker, which touches all of it once.
    Slice() : records(kSliceEntries) {
        bytes.resize(kSliceBytes);
        bytes.clear();
    }
    // Whether the entry still fits; an empty slice takes any entry.
    bool Add(std::uint32_t position, const TextResourceEntry& entry) {
        std::size_t size = 0;
        for (auto field : kFields)
            size += (entry.*field).size();
        if (count == kSliceEntries || (count > 0 && bytes.size() + size > bytes.capacity()))
            return false;
        Record& record = records[count++];
        record.position = position;
        record.id = entry.id;
        record.lengthMs = entry.lengthMs;
        for (std::size_t f = 0; f < 5; ++f) {
            const std::string& value = entry.*kFields[f];
            record.sizes[f] = std::uint32_t(value.size());
            bytes += value;
        }
        return true;
    }
    // The entry of a record, into `entry`, whose strings keep their room.
    std::size_t Get(std::size_t i, std::size_t offset, TextResourceEntry& entry) const {
        const Record& record = records[i];
        entry.id = record.id;
        entry.lengthMs = record.lengthMs;
        for (std::size_t f = 0; f < 5; ++f) {
            (entry.*kFields[f]).assign(bytes, offset, record.sizes[f]);
            offset += record.sizes[f];
        }
        return offset;
    }
};

struct ProblemsList::Job {
    // Set before the thread starts, then only read by it.
    check::CheckOptions options;
    std::shared_ptr<const TextResourceObject> reference;
    RecordedSource recorded;
    std::optional<TextResourceReadReport> damage;
    std::uint32_t total = 0; // the entries when the check started

    std::atomic<bool> cancel{false};
    std::optional<std::vector<check::Finding>> findings; // written by the thread before it reports
    std::thread thread;

    // Between the two threads, under `mutex`.
    std::mutex mutex;
    std::condition_variable handedOver;
    std::deque<std::unique_ptr<Slice>> full; // to be checked, in order
    std::vector<std::unique_ptr<Slice>> spare;
    bool allHandedOver = false;
    bool copierWaiting = false; // for a spare slice

    // The user-interface thread's own.
    std::uint32_t cursor = 0;  // the position now of the next entry to hand over
    EntryOrigins origins;      // the entries' positions at the start, through later changes
    bool changedSince = false; // the entries
    bool referenceChangedSince = false; // the reference file opened or closed

    void Stop() {
        {
            std::lock_guard lock(mutex);
            cancel = true;
        }
        handedOver.notify_all();
    }
    // The worker's side: checks the slices as they come.
    void Run(ProblemsList* list, const std::shared_ptr<Job>& self);
    // Gives a slice to the copier, and tells it when it waits for one.
    void GiveBack(std::unique_ptr<Slice> slice, ProblemsList* list,
                  const std::shared_ptr<Job>& self);
};

void ProblemsList::Job::GiveBack(std::unique_ptr<Slice> slice, ProblemsList* list,
                                 const std::shared_ptr<Job>& self) {
    bool wakeCopier = false;
    {
        std::lock_guard lock(mutex);
        spare.push_back(std::move(slice));
        wakeCopier = std::exchange(copierWaiting, false);
    }
    if (wakeCopier)
        QMetaObject::invokeMethod(
            list,
            [list, self] {
                if (self == list->m_job)
                    list->CopySlices();
            },
            Qt::QueuedConnection);
}

void ProblemsList::Job::Run(ProblemsList* list, const std::shared_ptr<Job>& self) {
    for (std::size_t i = 0; i < kSlices && !cancel; ++i)
        GiveBack(std::make_unique<Slice>(), list, self);
    check::CheckControl control;
    control.cancel = &cancel;
    control.total = total;
    control.progress = [list, self](std::uint64_t done, std::uint64_t total) {
        QMetaObject::invokeMethod(
            list,
            [list, self, done, total] {
                if (self == list->m_job)
                    emit list->Progress(done, total);
            },
            Qt::QueuedConnection);
    };
    if (reference)
        options.reference = reference.get();
    if (recorded)
        options.recorded = recorded();
    check::Checker checker(options, damage ? &*damage : nullptr, total, std::move(control));
    std::size_t nextProblem = 0;
    TextResourceEntry entry;
    for (;;) {
        std::unique_ptr<Slice> slice;
        {
            std::unique_lock lock(mutex);
            handedOver.wait(lock, [this] { return cancel || !full.empty() || allHandedOver; });
            if (cancel || full.empty())
                break;
            slice = std::move(full.front());
            full.pop_front();
        }
        std::size_t offset = 0;
        for (std::size_t i = 0; i < slice->count && !checker.Cancelled(); ++i) {
            offset = slice->Get(i, offset, entry);
            const std::uint32_t position = slice->records[i].position;
            const auto problems = damage
                                      ? check::ProblemsAt(damage->problems, nextProblem, position)
                                      : std::span<const TextResourceFieldProblem>();
            checker.Add(position, entry, problems);
        }
        GiveBack(std::move(slice), list, self);
    }
    std::vector<check::Finding> result = checker.Finish();
    if (!checker.Cancelled())
        findings = std::move(result);
    QMetaObject::invokeMethod(
        list, [list, self] { list->OnJobDone(self); }, Qt::QueuedConnection);
}

ProblemsList::ProblemsList(QObject* parent) : QObject(parent) {
    m_copyTimer.setSingleShot(true);
    m_copyTimer.setInterval(0);
    connect(&m_copyTimer, &QTimer::timeout, this, &ProblemsList::CopySlices);
}

ProblemsList::~ProblemsList() {
    if (m_job != nullptr) {
        m_job->Stop();
        m_retiring.push_back(std::move(m_job));
    }
    for (const std::shared_ptr<Job>& job : m_retiring) {
        if (job->thread.joinable())
            job->thread.join();
    }
}

void ProblemsList::Check(const CLexariumDoc& doc, const check::CheckOptions& options,
                         std::shared_ptr<const TextResourceObject> reference,
                         RecordedSource recorded) {
    Cancel();
    m_bCancelled = false;
    auto job = std::make_shared<Job>();
    job->options = options;
    job->reference = std::move(reference);
    job->recorded = std::move(recorded);
    if (const TextResourceReadReport* damage = doc.LoadReport())
        job->damage = *damage;
    job->total = doc.m_textResources.GetEntryCount();
    job->origins = EntryOrigins(job->total);
    m_job = job;
    m_pDoc = &doc;
    m_started.start();
    // The copying starts when the worker has made its first slices.
    job->copierWaiting = true;
    job->thread = std::thread([this, job] { job->Run(this, job); });
}

void ProblemsList::CopySlices() {
    const std::shared_ptr<Job> job = m_job;
    if (job == nullptr)
        return;
    if (g_pDocument != m_pDoc) {
        Cancel(); // the document went
        return;
    }
    const TextResourceObject& entries = m_pDoc->m_textResources;
    QElapsedTimer spent;
    spent.start();
    for (;;) {
        std::unique_ptr<Slice> slice;
        {
            std::lock_guard lock(job->mutex);
            if (job->spare.empty()) {
                job->copierWaiting = true; // the worker calls again
                return;
            }
            slice = std::move(job->spare.back());
            job->spare.pop_back();
        }
        slice->count = 0;
        slice->bytes.clear();
        // Entries appended after the start are not part of this check.
        const std::uint32_t count = entries.GetEntryCount();
        bool done = false;
        for (;;) {
            const std::uint32_t origin =
                job->cursor < count ? job->origins.OriginOf(job->cursor) : job->total;
            if (origin >= job->total) {
                done = true;
                break;
            }
            if (!slice->Add(origin, *entries.GetEntry(job->cursor)))
                break;
            ++job->cursor;
        }
        {
            std::lock_guard lock(job->mutex);
            if (slice->count > 0)
                job->full.push_back(std::move(slice));
            else
                job->spare.push_back(std::move(slice));
            job->allHandedOver = done;
        }
        job->handedOver.notify_one();
        if (done)
            return;
        if (spent.elapsed() >= kCopyBudgetMs) {
            m_copyTimer.start();
            return;
        }
    }
}

void ProblemsList::Cancel() {
    if (m_job == nullptr)
        return;
    m_job->Stop();
    m_copyTimer.stop();
    // Its thread stops soon; it is joined when it reports.
    m_retiring.push_back(std::move(m_job));
    m_job.reset();
    m_bCancelled = true;
    emit Finished(false);
}

void ProblemsList::MarkOutOfDate() {
    if (m_job != nullptr)
        m_job->referenceChangedSince = true;
    if (m_state == State::Current) {
        m_state = State::OutOfDate;
        m_bByReference = true;
        emit Changed();
    }
}

void ProblemsList::OnJobDone(const std::shared_ptr<Job>& job) {
    if (!TakeReportedJob(m_job, m_retiring, job))
        return;
    m_copyTimer.stop();
    if (!job->findings) {
        m_bCancelled = true;
        emit Finished(false);
        return;
    }
    // From the positions at the start to those of now; the findings of
    // entries removed since go with them.
    std::vector<check::Finding> findings = std::move(*job->findings);
    std::erase_if(findings, [&job](check::Finding& finding) {
        if (!finding.OfEntry())
            return false;
        const std::optional<std::uint32_t> now = job->origins.PositionOf(finding.position);
        if (!now)
            return true;
        finding.position = *now;
        return false;
    });
    m_bByReference = !job->changedSince && job->referenceChangedSince;
    SetFindings(std::move(findings), job->changedSince || job->referenceChangedSince
                                         ? State::OutOfDate
                                         : State::Current);
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
        m_bCancelled = false;
        m_bByReference = false;
        SetFindings({}, State::NotChecked);
        return;
    case Change::Saved:
        return;
    case Change::Removed:
        if (m_job != nullptr) {
            // An entry already handed over moves the next one to hand over up.
            if (position < m_job->cursor)
                --m_job->cursor;
            m_job->origins.Removed(position);
        }
        if (!m_findings.empty()) {
            std::vector<check::Finding> findings = std::move(m_findings);
            RemovePosition(findings, position);
            SetFindings(std::move(findings), m_state);
        }
        break;
    case Change::Added:
        if (m_job != nullptr)
            m_job->origins.Appended();
        break;
    case Change::Edited:
        break;
    }
    if (m_job != nullptr)
        m_job->changedSince = true;
    if (m_state == State::Current || m_bByReference) {
        m_state = State::OutOfDate;
        m_bByReference = false;
        emit Changed();
    }
}

std::pair<ProblemsList::FindingIt, ProblemsList::FindingIt> ProblemsList::EntryFindings() const {
    // The entries' findings come together, after the file's and before the folder's.
    const auto first = std::find_if(m_findings.begin(), m_findings.end(),
                                    [](const check::Finding& f) { return f.OfEntry(); });
    const auto end =
        std::find_if(first, m_findings.end(), [](const check::Finding& f) { return !f.OfEntry(); });
    return {first, end};
}

int ProblemsList::NextEntryFinding(int row, bool forward, bool& wrapped) const {
    wrapped = false;
    const auto [first, end] = EntryFindings();
    if (first == end)
        return -1;
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
    const auto [first, end] = EntryFindings();
    if (first == end)
        return -1;
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

#include "EntryFoldBuilder.h"

#include "ReportedJob.h"
#include "model/TextResourceObject.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

namespace {

// The copy goes in slices of this length between events: over a million
// entries it takes longer than a keystroke may wait.
constexpr qint64 kCopySliceMs = 15;

// Copies entries where the copy stands, for one slice at most; true when
// every entry of the collection (as many as it holds now) is copied. An entry
// changed behind the copy is one the job was told about.
template <class Job> bool CopySlice(Job& job) {
    QElapsedTimer timer;
    timer.start();
    EntryFoldSource& source = job.source;
    const TextResourceObject& entries = *job.entries;
    while (source.Count() < entries.GetEntryCount()) {
        source.Append(*entries.GetEntry(source.Count()));
        if (source.Count() % 512 == 0 && timer.elapsed() >= kCopySliceMs)
            return false;
    }
    return true;
}

} // namespace

struct EntryFoldBuilder::Job {
    const TextResourceObject* entries = nullptr; // not owned; read on the user-interface thread
    EntryFoldSource source;
    EntryFoldIndex index; // written by the thread before it reports
    std::atomic<bool> cancel{false};
    bool built = false; // written by the thread before it reports
    std::thread thread;
    std::vector<std::uint32_t> edited; // user-interface thread only
};

EntryFoldBuilder::EntryFoldBuilder(Ready ready) : m_ready(std::move(ready)) {}

EntryFoldBuilder::~EntryFoldBuilder() {
    Cancel();
    for (const std::shared_ptr<Job>& job : m_retiring)
        if (job->thread.joinable())
            job->thread.join();
}

void EntryFoldBuilder::Start(const TextResourceObject& entries) {
    Cancel();
    auto job = std::make_shared<Job>();
    job->entries = &entries;
    m_job = job;
    // The copy goes on in slices between events; a slice waiting for its turn
    // holds the step, nothing else does.
    auto step = std::make_shared<std::function<void()>>();
    *step = [this, job, self = std::weak_ptr<std::function<void()>>(step)] {
        if (job != m_job)
            return; // cancelled or started again meanwhile
        if (!CopySlice(*job)) {
            QTimer::singleShot(0, &m_receiver, [next = self.lock()] { (*next)(); });
            return;
        }
        job->thread = std::thread([this, job] {
            job->built = job->index.Build(job->source, job->cancel);
            job->source = EntryFoldSource(); // the copy is not needed any more
            QMetaObject::invokeMethod(
                &m_receiver, [this, job] { OnDone(job); }, Qt::QueuedConnection);
        });
    };
    (*step)();
}

void EntryFoldBuilder::Cancel() {
    if (m_job == nullptr)
        return;
    m_job->cancel = true;
    // A thread that runs stops soon; it is joined when it reports. A copy
    // still going ends at its next slice.
    if (m_job->thread.joinable())
        m_retiring.push_back(std::move(m_job));
    m_job.reset();
}

void EntryFoldBuilder::NoteEdited(std::uint32_t position) {
    if (m_job == nullptr)
        return;
    std::vector<std::uint32_t>& edited = m_job->edited;
    const auto at = std::lower_bound(edited.begin(), edited.end(), position);
    if (at == edited.end() || *at != position)
        edited.insert(at, position);
}

void EntryFoldBuilder::OnDone(const std::shared_ptr<Job>& job) {
    if (!TakeReportedJob(m_job, m_retiring, job))
        return;
    if (!job->built)
        return;
    const std::uint32_t copied = job->index.Count();
    std::erase_if(job->edited, [copied](std::uint32_t p) { return p >= copied; });
    m_ready(std::move(job->index), copied, job->edited);
}

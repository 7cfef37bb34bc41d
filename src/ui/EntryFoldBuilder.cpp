#include "EntryFoldBuilder.h"

#include <QMetaObject>
#include <algorithm>
#include <atomic>
#include <thread>

struct EntryFoldBuilder::Job {
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
    job->source = EntryFoldSource::Copy(entries);
    m_job = job;
    job->thread = std::thread([this, job] {
        job->built = job->index.Build(job->source, job->cancel);
        job->source = EntryFoldSource(); // the copy is not needed any more
        QMetaObject::invokeMethod(
            &m_receiver, [this, job] { OnDone(job); }, Qt::QueuedConnection);
    });
}

void EntryFoldBuilder::Cancel() {
    if (m_job == nullptr)
        return;
    m_job->cancel = true;
    // Its thread stops soon; it is joined when it reports.
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
    if (job->thread.joinable())
        job->thread.join();
    if (job != m_job) {
        std::erase(m_retiring, job);
        return;
    }
    m_job.reset();
    if (!job->built)
        return;
    const std::uint32_t copied = job->index.Count();
    std::erase_if(job->edited, [copied](std::uint32_t p) { return p >= copied; });
    m_ready(std::move(job->index), copied, job->edited);
}

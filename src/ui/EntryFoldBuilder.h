// Builds the filter's folded index on a thread of its own, so that the first
// filter over a large file leaves the window answering. The user-interface
// thread copies the searchable fields (all the thread ever reads) and goes on;
// the index comes back through the event loop together with the positions
// that were edited or added since the copy, for the owner to fold again. A
// build that is started again or cancelled never reports.
#pragma once

#include "EntryFoldIndex.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TextResourceObject;

class EntryFoldBuilder {
public:
    // `copied` is the number of entries the index holds; `edited` the positions
    // below it whose entries changed since they were copied (ascending).
    using Ready = std::function<void(EntryFoldIndex index, std::uint32_t copied,
                                     const std::vector<std::uint32_t>& edited)>;

    explicit EntryFoldBuilder(Ready ready);
    ~EntryFoldBuilder();
    EntryFoldBuilder(const EntryFoldBuilder&) = delete;
    EntryFoldBuilder& operator=(const EntryFoldBuilder&) = delete;

    // Copies the entries and folds the copy; a build under way is dropped.
    void Start(const TextResourceObject& entries);
    void Cancel();
    bool IsBuilding() const { return m_job != nullptr; }
    // The entry at `position` changed after the copy was taken.
    void NoteEdited(std::uint32_t position);

private:
    struct Job;
    void OnDone(const std::shared_ptr<Job>& job);

    Ready m_ready;
    QObject m_receiver; // where the thread's report is delivered
    std::shared_ptr<Job> m_job;
    std::vector<std::shared_ptr<Job>> m_retiring; // cancelled, not yet joined
};

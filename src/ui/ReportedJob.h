// The user-interface side of a job whose thread reports back when it ends. A
// job that was cancelled or replaced is set aside until that report, so that
// its thread is always joined and its late result changes nothing.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

// Joins the thread of the job that reported. True when it is the current job,
// which is then no longer current; false for one set aside, now forgotten.
template <class Job>
bool TakeReportedJob(std::shared_ptr<Job>& current, std::vector<std::shared_ptr<Job>>& setAside,
                     const std::shared_ptr<Job>& job) {
    if (job->thread.joinable())
        job->thread.join();
    if (job != current) {
        std::erase(setAside, job);
        return false;
    }
    current.reset();
    return true;
}

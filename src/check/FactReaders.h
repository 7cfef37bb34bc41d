#pragma once

// Reads what libsndfile tells of the recordings a check found, on helper
// threads while the check goes on looking up the next entries, and turns it
// into findings (an undecodable file, a stored length that is off).

#include "check/Findings.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace check {

class FactReaders {
public:
    // A found recording and the entry that named it.
    struct File {
        std::string path;
        bool female = false;
        std::uint32_t position = 0;
        std::uint32_t id = 0;
        std::string identifier;
        std::uint32_t lengthMs = 0;
        std::size_t findingIndex = 0; // where its finding goes among the others
    };

    // Once `cancel` (not owned; may be null) is set, files still waiting are
    // passed over.
    explicit FactReaders(const std::atomic<bool>* cancel = nullptr);
    ~FactReaders();
    FactReaders(const FactReaders&) = delete;
    FactReaders& operator=(const FactReaders&) = delete;

    void Add(File file);
    // Waits for all files; their findings with their places, in order.
    std::vector<std::pair<std::size_t, Finding>> Finish();

private:
    struct Result {
        std::size_t sequence = 0; // of the file, to keep a plain take before its female one
        std::size_t findingIndex = 0;
        Finding finding;
    };
    // What a file's facts come to.
    enum class Verdict {
        Fine,
        Finding,       // in the result
        TryAgainAlone, // it did not open: tried again alone, see Finish
    };
    using Batch = std::vector<std::pair<std::size_t, File>>;

    void Hand(Batch batch);
    void Work();
    // With `retrying` false, a file that does not open is only marked for
    // another try; with it true, it is a finding.
    static Verdict Judge(const File& file, Result& result, bool retrying);
    bool Cancelled() const {
        return m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed);
    }

    const std::atomic<bool>* m_cancel; // not owned; may be null
    Batch m_batch;
    std::size_t m_sequence = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_queue;
    std::vector<Result> m_results;
    bool m_done = false;
    std::vector<std::thread> m_threads;
    Batch m_retries;
};

} // namespace check

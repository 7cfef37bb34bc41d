#include "check/FactReaders.h"

#include "check/AudioFacts.h"
#include "check/Wording.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace check {

namespace {

// Files handed to the helpers at a time, and batches that may wait for them:
// the check looks up ahead of the helpers by at most this much.
constexpr std::size_t kBatchSize = 1024;
constexpr std::size_t kQueuedBatches = 8;

// Stored lengths may differ from the recordings' by this much.
constexpr double kLengthToleranceMs = 100.0;

} // namespace

FactReaders::FactReaders(const std::atomic<bool>* cancel) : m_cancel(cancel) {
    // The looking up goes on on the calling thread; the helpers take the
    // other processors, and one at least.
    const unsigned processors = std::thread::hardware_concurrency();
    const unsigned helpers = std::clamp(processors > 1 ? processors - 1 : 1u, 1u, 4u);
    for (unsigned i = 0; i < helpers; ++i)
        m_threads.emplace_back([this] { Work(); });
}

FactReaders::~FactReaders() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void FactReaders::Add(File file) {
    m_batch.emplace_back(m_sequence++, std::move(file));
    if (m_batch.size() >= kBatchSize) {
        Hand(std::move(m_batch));
        m_batch.clear();
    }
}

void FactReaders::Hand(Batch batch) {
    if (batch.empty())
        return;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.size() < kQueuedBatches; });
    m_queue.push_back(std::move(batch));
    lock.unlock();
    m_changed.notify_all();
}

void FactReaders::Work() {
    for (;;) {
        Batch batch;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_done || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            batch = std::move(m_queue.front());
            m_queue.pop_front();
        }
        m_changed.notify_all();
        std::vector<Result> results;
        Batch retries;
        for (auto& [sequence, file] : batch) {
            if (Cancelled())
                break;
            Result result;
            result.sequence = sequence;
            switch (Judge(file, result, false)) {
            case Verdict::Fine:
                break;
            case Verdict::Finding:
                results.push_back(std::move(result));
                break;
            case Verdict::TryAgainAlone:
                retries.emplace_back(sequence, std::move(file));
                break;
            }
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        std::move(results.begin(), results.end(), std::back_inserter(m_results));
        std::move(retries.begin(), retries.end(), std::back_inserter(m_retries));
    }
}

FactReaders::Verdict FactReaders::Judge(const File& file, Result& result, bool retrying) {
    const AudioFacts facts = ReadAudioFacts(file.path);
    Finding& finding = result.finding;
    finding.scope = Scope::Entry;
    finding.position = file.position;
    finding.id = file.id;
    finding.identifier = file.identifier;
    result.findingIndex = file.findingIndex;
    const std::string take = file.female ? "female take " : "";
    if (!facts.readable) {
        // libsndfile keeps the reason of a failed open in one place for all
        // threads: the file is tried again alone to tell it.
        if (!retrying)
            return Verdict::TryAgainAlone;
        finding.kind = "unreadable-audio";
        finding.field = Field::AudioFile;
        finding.detail = take + Quoted(file.path) + " does not decode: " + facts.error;
        return Verdict::Finding;
    }
    if (file.female || !facts.HasLength() ||
        std::fabs(facts.LengthMs() - file.lengthMs) <= kLengthToleranceMs)
        return Verdict::Fine;
    finding.kind = "length-mismatch";
    finding.field = Field::Length;
    finding.detail = "stored " + std::to_string(file.lengthMs) + " ms, " + Quoted(file.path) +
                     " lasts " + std::to_string(std::llround(facts.LengthMs())) + " ms";
    return Verdict::Finding;
}

std::vector<std::pair<std::size_t, Finding>> FactReaders::Finish() {
    Hand(std::move(m_batch));
    m_batch.clear();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();

    for (const auto& [sequence, file] : m_retries) {
        if (Cancelled())
            break;
        Result result;
        result.sequence = sequence;
        if (Judge(file, result, true) == Verdict::Finding)
            m_results.push_back(std::move(result));
    }
    std::sort(m_results.begin(), m_results.end(), [](const Result& a, const Result& b) {
        return a.findingIndex != b.findingIndex ? a.findingIndex < b.findingIndex
                                                : a.sequence < b.sequence;
    });
    std::vector<std::pair<std::size_t, Finding>> placed;
    for (Result& result : m_results)
        placed.emplace_back(result.findingIndex, std::move(result.finding));
    m_results.clear();
    return placed;
}

} // namespace check

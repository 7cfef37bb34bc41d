#pragma once

// Reads what libsndfile tells of the recordings a check found, on helper
// threads while the check goes on looking up the next entries, and turns it
// into findings (an undecodable file, a stored length that is off, a line too
// fast for its recording, and the levels when they are measured).

#include "check/CheckOptions.h"
#include "check/Findings.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
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
        std::uint64_t characters = 0; // of the text, for its pace
        std::size_t findingIndex = 0; // where its finding goes among the others
        // What the caller needs besides the findings, kept for TakeMeasured.
        bool keepLength = false;
        bool hash = false; // the SHA-256 of the file's bytes
    };

    // What was measured of a file added with keepLength or hash.
    struct Measured {
        std::size_t sequence = 0;   // what Add returned for it
        std::int64_t lengthMs = -1; // rounded; -1 when libsndfile does not tell
        std::string sha256;         // with hash: empty when the file was not read
        std::string hashError;      // why not
    };

    // What is judged beyond whether a file decodes and its stored length.
    struct Judging {
        std::optional<double> maxCharactersPerSecond;
        std::optional<LevelOptions> levels; // the files are decoded whole
        // False: the files are only measured, for TakeMeasured; Finish gives
        // no findings, and a file that does not open is not tried again.
        bool findings = true;

        // Only measuring: no findings.
        static Judging MeasuringOnly() {
            Judging judging;
            judging.findings = false;
            return judging;
        }
    };

    // Once `cancel` (not owned; may be null) is set, files still waiting are
    // passed over.
    explicit FactReaders(const std::atomic<bool>* cancel = nullptr)
        : FactReaders(cancel, Judging()) {}
    FactReaders(const std::atomic<bool>* cancel, Judging judging);
    ~FactReaders();
    FactReaders(const FactReaders&) = delete;
    FactReaders& operator=(const FactReaders&) = delete;

    // Hands the file to the helpers: its sequence number, from 0 in the
    // order of the calls.
    std::size_t Add(File file);
    // Waits for all files; their findings with their places, in order.
    std::vector<std::pair<std::size_t, Finding>> Finish();
    // After Finish: what was measured of the files that asked for it, by
    // sequence number.
    std::vector<Measured> TakeMeasured();

private:
    struct Result {
        std::size_t sequence = 0; // of the file, to keep a plain take before its female one
        std::size_t findingIndex = 0;
        Finding finding;
    };
    // The format of a readable file, to find those that differ from most.
    struct Format {
        std::size_t sequence = 0;
        File file;
        int sampleRate = 0;
        int channels = 0;
    };
    // What a file's facts come to.
    enum class Verdict {
        Fine,          // its findings, if any, are in the results
        TryAgainAlone, // it did not open: tried again alone, see Finish
    };
    using Batch = std::vector<std::pair<std::size_t, File>>;

    void Hand(Batch batch);
    void Work();
    // Appends the file's findings to `results`, and its format to `formats`
    // when the levels are measured. With `retrying` false, a file that does
    // not open is only marked for another try; with it true, it is a finding.
    // What the file asked to keep goes to `measured` (may be null).
    Verdict Judge(std::size_t sequence, const File& file, std::vector<Result>& results,
                  std::vector<Format>& formats, std::vector<Measured>* measured,
                  bool retrying) const;
    // The format-differs findings, once every file is judged.
    void AddFormatFindings();
    bool Cancelled() const {
        return m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed);
    }

    const std::atomic<bool>* m_cancel; // not owned; may be null
    const Judging m_judging;
    Batch m_batch;
    std::vector<Format> m_formats;
    std::size_t m_sequence = 0;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_queue;
    std::vector<Result> m_results;
    std::vector<Measured> m_measured;
    bool m_done = false;
    std::vector<std::thread> m_threads;
    Batch m_retries;
};

} // namespace check

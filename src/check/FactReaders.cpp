#include "check/FactReaders.h"

#include "check/AudioFacts.h"
#include "check/Pace.h"
#include "check/Wording.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>

namespace check {

namespace {

// Files handed to the helpers at a time, and batches that may wait for them:
// the check looks up ahead of the helpers by at most this much.
constexpr std::size_t kBatchSize = 1024;
constexpr std::size_t kQueuedBatches = 8;

// Stored lengths may differ from the recordings' by this much.
constexpr double kLengthToleranceMs = 100.0;

// A sample peak at or above this is clipped.
constexpr double kClippedDbfs = -0.1;

double Dbfs(double magnitude) {
    return 20.0 * std::log10(magnitude);
}

std::string Milliseconds(std::int64_t frames, int sampleRate) {
    return std::to_string(std::llround(static_cast<double>(frames) * 1000.0 / sampleRate)) + " ms";
}

std::string FormatName(int sampleRate, int channels) {
    return std::to_string(sampleRate) + " Hz, " + std::to_string(channels) +
           (channels == 1 ? " channel" : " channels");
}

// The level findings of a decoded recording.
void AddLevelFindings(const AudioLevels& levels, int sampleRate, const LevelOptions& options,
                      const std::string& name, const Finding& about, std::vector<Finding>& out) {
    auto add = [&](const char* kind, std::string detail) {
        Finding finding = about;
        finding.kind = kind;
        finding.field = Field::AudioFile;
        finding.detail = name + " " + std::move(detail);
        out.push_back(std::move(finding));
    };
    if (levels.samplePeak > 0.0 && Dbfs(levels.samplePeak) >= kClippedDbfs)
        add("clipped", "peaks at " + Decimal(Dbfs(levels.samplePeak), 2) + " dBFS, at or above " +
                           Decimal(kClippedDbfs) + " dBFS");
    const std::string quiet = "below " + Decimal(kSilenceDbfs) + " dBFS";
    if (levels.SilentThroughout()) {
        add("silence", "is silent throughout (" + quiet + ")");
    } else {
        const double limit = options.maxSilenceMs;
        const auto tooLong = [&](std::int64_t frames) {
            return static_cast<double>(frames) * 1000.0 / sampleRate > limit;
        };
        const bool starts = tooLong(levels.leadingQuiet);
        const bool ends = tooLong(levels.trailingQuiet);
        std::string detail;
        if (starts)
            detail = "starts with " + Milliseconds(levels.leadingQuiet, sampleRate);
        if (ends)
            detail += (starts ? " and ends with " : "ends with ") +
                      Milliseconds(levels.trailingQuiet, sampleRate);
        if (starts || ends)
            add("silence", detail + " " + quiet + ", more than " + Decimal(limit) + " ms");
    }
    // Minus infinity: no block of sound to measure, which the silence tells.
    if (std::isfinite(levels.loudness) &&
        std::fabs(levels.loudness - options.loudness) > options.loudnessTolerance)
        add("loudness", "measures " + Decimal(levels.loudness, 1) + " LUFS, outside " +
                            Decimal(options.loudness) + " \u00B1 " +
                            Decimal(options.loudnessTolerance) + " LU");
}

} // namespace

FactReaders::FactReaders(const std::atomic<bool>* cancel, Judging judging)
    : m_cancel(cancel), m_judging(std::move(judging)) {
    // The looking up goes on on the calling thread, and takes less than
    // opening, reading and hashing the files: the helpers take every
    // processor, so that none is idle while the calling thread waits for
    // room in the queue (on two cores, one helper left one core half idle).
    // Decoding whole files is more work still: then up to 8 of them.
    const unsigned processors = std::max(std::thread::hardware_concurrency(), 1u);
    const unsigned helpers =
        m_judging.levels ? std::min(processors, 8u) : std::clamp(processors, 1u, 4u);
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

std::size_t FactReaders::Add(File file) {
    const std::size_t sequence = m_sequence++;
    m_batch.emplace_back(sequence, std::move(file));
    if (m_batch.size() >= kBatchSize) {
        Hand(std::move(m_batch));
        m_batch.clear();
    }
    return sequence;
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
        std::vector<Format> formats;
        std::vector<Measured> measured;
        Batch retries;
        for (auto& [sequence, file] : batch) {
            if (Cancelled())
                break;
            if (Judge(sequence, file, results, formats, &measured, false) == Verdict::TryAgainAlone)
                retries.emplace_back(sequence, std::move(file));
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        std::move(results.begin(), results.end(), std::back_inserter(m_results));
        std::move(formats.begin(), formats.end(), std::back_inserter(m_formats));
        std::move(retries.begin(), retries.end(), std::back_inserter(m_retries));
        std::move(measured.begin(), measured.end(), std::back_inserter(m_measured));
    }
}

FactReaders::Verdict FactReaders::Judge(std::size_t sequence, const File& file,
                                        std::vector<Result>& results, std::vector<Format>& formats,
                                        std::vector<Measured>* measured, bool retrying) const {
    AudioLevels levels;
    // A retry is for the reason of a failed open only: what was measured is kept already.
    const bool keep = measured != nullptr && (file.keepLength || file.hash);
    FileHash hash;
    const AudioFacts facts = ReadAudioFacts(file.path, m_judging.levels ? &levels : nullptr,
                                            keep && file.hash ? &hash : nullptr);
    if (keep) {
        Measured& kept = measured->emplace_back();
        kept.sequence = sequence;
        if (facts.HasLength())
            kept.lengthMs = std::llround(facts.LengthMs());
        kept.sha256 = std::move(hash.hex);
        kept.hashError = std::move(hash.error);
    }
    if (!m_judging.findings)
        return Verdict::Fine;
    Finding about;
    about.scope = Scope::Entry;
    about.position = file.position;
    about.id = file.id;
    about.identifier = file.identifier;
    const auto add = [&](Finding finding) {
        results.push_back(Result{sequence, file.findingIndex, std::move(finding)});
    };
    const std::string take = file.female ? "female take " : "";
    if (!facts.readable) {
        // libsndfile keeps the reason of a failed open in one place for all
        // threads: the file is tried again alone to tell it.
        if (!retrying)
            return Verdict::TryAgainAlone;
        Finding finding = about;
        finding.kind = "unreadable-audio";
        finding.field = Field::AudioFile;
        finding.detail = take + Quoted(file.path) + " does not decode: " + facts.error;
        add(std::move(finding));
        if (!file.female && m_judging.maxCharactersPerSecond)
            if (auto detail =
                    TooFast(file.characters, file.lengthMs, *m_judging.maxCharactersPerSecond)) {
                Finding pace = about;
                pace.kind = "too-fast";
                pace.field = Field::Text;
                pace.detail = std::move(*detail);
                add(std::move(pace));
            }
        return Verdict::Fine;
    }
    if (!file.female && facts.HasLength() &&
        std::fabs(facts.LengthMs() - file.lengthMs) > kLengthToleranceMs) {
        Finding finding = about;
        finding.kind = "length-mismatch";
        finding.field = Field::Length;
        finding.detail = "stored " + std::to_string(file.lengthMs) + " ms, " + Quoted(file.path) +
                         " lasts " + std::to_string(std::llround(facts.LengthMs())) + " ms";
        add(std::move(finding));
    }
    if (m_judging.maxCharactersPerSecond) {
        // The recording's own length; the stored one where it tells none.
        const double lengthMs = facts.HasLength() ? facts.LengthMs()
                                : file.female     ? 0.0
                                                  : file.lengthMs;
        if (auto detail = TooFast(file.characters, lengthMs, *m_judging.maxCharactersPerSecond)) {
            Finding pace = about;
            pace.kind = "too-fast";
            pace.field = Field::Text;
            pace.detail = file.female ? "female take: " + *detail : std::move(*detail);
            add(std::move(pace));
        }
    }
    if (m_judging.levels) {
        std::vector<Finding> found;
        if (levels.measured)
            AddLevelFindings(levels, facts.sampleRate, *m_judging.levels, take + Quoted(file.path),
                             about, found);
        for (Finding& finding : found)
            add(std::move(finding));
        formats.push_back(Format{sequence, file, facts.sampleRate, facts.channels});
    }
    return Verdict::Fine;
}

void FactReaders::AddFormatFindings() {
    if (m_formats.empty())
        return;
    std::sort(m_formats.begin(), m_formats.end(),
              [](const Format& a, const Format& b) { return a.sequence < b.sequence; });
    // The most common format; of formats equally common, the one found first.
    std::map<std::pair<int, int>, std::size_t> counts;
    for (const Format& format : m_formats)
        ++counts[{format.sampleRate, format.channels}];
    std::pair<int, int> usual{m_formats.front().sampleRate, m_formats.front().channels};
    for (const Format& format : m_formats) {
        const std::pair<int, int> key{format.sampleRate, format.channels};
        if (counts[key] > counts[usual])
            usual = key;
    }
    const std::size_t usualCount = counts[usual];
    for (const Format& format : m_formats) {
        if (format.sampleRate == usual.first && format.channels == usual.second)
            continue;
        Finding finding;
        finding.kind = "format-differs";
        finding.scope = Scope::Entry;
        finding.position = format.file.position;
        finding.id = format.file.id;
        finding.identifier = format.file.identifier;
        finding.field = Field::AudioFile;
        finding.detail = (format.file.female ? "female take " : "") + Quoted(format.file.path) +
                         " is " + FormatName(format.sampleRate, format.channels) + "; " +
                         std::to_string(usualCount) + " of " + std::to_string(m_formats.size()) +
                         " recordings are " + FormatName(usual.first, usual.second);
        m_results.push_back(Result{format.sequence, format.file.findingIndex, std::move(finding)});
    }
    m_formats.clear();
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
        Judge(sequence, file, m_results, m_formats, nullptr, true);
    }
    if (!Cancelled())
        AddFormatFindings();
    // A file's own findings stay in the order they were made.
    std::stable_sort(m_results.begin(), m_results.end(), [](const Result& a, const Result& b) {
        return a.findingIndex != b.findingIndex ? a.findingIndex < b.findingIndex
                                                : a.sequence < b.sequence;
    });
    std::vector<std::pair<std::size_t, Finding>> placed;
    for (Result& result : m_results)
        placed.emplace_back(result.findingIndex, std::move(result.finding));
    m_results.clear();
    return placed;
}

std::vector<FactReaders::Measured> FactReaders::TakeMeasured() {
    std::sort(m_measured.begin(), m_measured.end(),
              [](const Measured& a, const Measured& b) { return a.sequence < b.sequence; });
    return std::move(m_measured);
}

} // namespace check

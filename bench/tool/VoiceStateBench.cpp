// The voice-over state over 100,000 typical entries and their recordings (as
// lexarium_bench_recordings writes them): record into an empty list and into
// one that holds every line already, check --audio without and with the
// recorded list, and lengths from the recordings. The folder is written once
// for all of them (about 600 MB; LEXARIUM_BENCH_RECORDINGS names a folder
// written before, to save that).

#include "TypicalRecording.h"
#include "check/Checker.h"
#include "check/RecordedList.h"
#include "check/Recorder.h"
#include "check/RecordingLengths.h"
#include "common/TempDir.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

constexpr std::uint32_t kEntries = 100000;

const TextResourceObject& Entries() {
    static const TextResourceObject entries = testdata::MakeTypicalCollection(kEntries);
    return entries;
}

// The folder of recordings, or empty when it could not be written.
const std::string& Folder() {
    static TempDir dir;
    static const std::string folder = [] {
        if (const char* given = std::getenv("LEXARIUM_BENCH_RECORDINGS"))
            return std::string(given);
        for (std::uint32_t i = 0; i < kEntries; ++i) {
            const TextResourceEntry& entry = *Entries().GetEntry(i);
            if (!WriteTypicalRecording(dir.File(entry.audioFile), entry.lengthMs))
                return std::string();
        }
        return dir.Path().string();
    }();
    return folder;
}

std::vector<check::RecordedLine> Record(std::vector<check::RecordedLine> lines,
                                        check::RecordSummary& summary) {
    check::RecordSettings settings;
    settings.audioFolder = Folder();
    check::Recorder recorder(std::move(settings), kEntries);
    for (std::uint32_t i = 0; i < kEntries; ++i)
        recorder.Add(*Entries().GetEntry(i));
    return recorder.Finish(std::move(lines), "2026-12-10T08:00:00Z", summary);
}

const std::vector<check::RecordedLine>& EveryLine() {
    static const std::vector<check::RecordedLine> lines = [] {
        check::RecordSummary summary;
        return Record({}, summary);
    }();
    return lines;
}

bool Ready(benchmark::State& state) {
    if (Folder().empty()) {
        state.SkipWithError("cannot write the recordings");
        return false;
    }
    return true;
}

// Arg 0: into an empty list (every line added); 1: into a list that has
// every line (every one unchanged), as after each delivery. Both write the
// list's text as record does.
void BM_Record(benchmark::State& state) {
    if (!Ready(state))
        return;
    const bool full = state.range(0) == 1;
    if (full)
        EveryLine();
    for (auto _ : state) {
        check::RecordSummary summary;
        std::string text = check::FormatRecordedList(
            Record(full ? EveryLine() : std::vector<check::RecordedLine>{}, summary));
        if ((full ? summary.unchanged : summary.added) != kEntries)
            state.SkipWithError("not every recording was recorded");
        benchmark::DoNotOptimize(text);
    }
    state.counters["entries"] = kEntries;
}

// Arg 0: without the recorded list; 1: with it.
void BM_CheckAudio(benchmark::State& state) {
    if (!Ready(state))
        return;
    check::CheckOptions options;
    options.audioFolder = Folder();
    if (state.range(0) == 1) {
        auto list = std::make_shared<check::RecordedList>();
        list->lines = EveryLine();
        options.recorded = std::shared_ptr<const check::RecordedList>(std::move(list));
    }
    for (auto _ : state) {
        auto findings = check::CheckCollection(Entries(), options, nullptr);
        if (!findings || !findings->empty())
            state.SkipWithError("the typical entries should have no findings");
        benchmark::DoNotOptimize(findings);
    }
    state.counters["entries"] = kEntries;
}

// Reading the list back, as check and record do before they use it.
void BM_ParseRecordedList(benchmark::State& state) {
    if (!Ready(state))
        return;
    const std::string text = check::FormatRecordedList(EveryLine());
    for (auto _ : state) {
        check::RecordedList list = check::ParseRecordedList(text);
        if (list.lines.size() != kEntries || !list.problems.empty())
            state.SkipWithError("the list did not read back whole");
        benchmark::DoNotOptimize(list);
    }
    state.counters["entries"] = kEntries;
}

void BM_Lengths(benchmark::State& state) {
    if (!Ready(state))
        return;
    for (auto _ : state) {
        auto measured = check::MeasureLengths(Entries(), Folder(), 0);
        if (!measured || !measured->unmeasured.empty())
            state.SkipWithError("not every recording was measured");
        benchmark::DoNotOptimize(measured);
    }
    state.counters["entries"] = kEntries;
}

} // namespace

BENCHMARK(BM_Record)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckAudio)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseRecordedList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lengths)->Unit(benchmark::kMillisecond)->UseRealTime();

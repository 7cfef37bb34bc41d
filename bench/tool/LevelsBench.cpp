// The level checks over 1,000 recordings of speech length (16 kHz, 16-bit
// mono, 1.5 to 7.5 s): how many times real time they measure, on all
// processors.

#include "SpeechRecording.h"
#include "check/Checker.h"
#include "common/TempDir.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CheckLevels(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    TempDir dir;
    TextResourceObject collection = testdata::MakeTypicalCollection(count);
    double seconds = 0.0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const TextResourceEntry& entry = *collection.GetEntry(i);
        if (!WriteSpeech(dir.File(entry.audioFile), entry.lengthMs)) {
            state.SkipWithError("cannot write the recordings");
            return;
        }
        seconds += entry.lengthMs / 1000.0;
    }
    check::CheckOptions options;
    options.audioFolder = dir.Path().string();
    options.levels = check::LevelOptions{};
    for (auto _ : state) {
        auto findings = check::CheckCollection(collection, options, nullptr);
        benchmark::DoNotOptimize(findings);
    }
    state.counters["times_real_time"] =
        benchmark::Counter(seconds * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CheckLevels)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

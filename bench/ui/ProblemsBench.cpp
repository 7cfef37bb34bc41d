// The problems list's check over large files, offscreen: from the command to
// the findings in the list, the copy of the entries (the only part the
// user-interface thread waits for) on its own, and the check with a folder of
// recordings. The folder is made once with
//     lexarium_bench_recordings 100000 FOLDER
// and named in LEXARIUM_BENCH_RECORDINGS; without it that benchmark is skipped.

#include "LexariumDoc.h"
#include "ProblemsList.h"
#include "testdata/TestData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

void Load(std::uint32_t count) {
    if (g_pDocument->m_textResources.GetEntryCount() != count)
        g_pDocument->m_textResources = testdata::MakeTypicalCollection(count);
}

// Runs one check of the document to its end, as the window does.
std::size_t RunCheck(ProblemsList& list, const check::CheckOptions& options) {
    list.Check(*g_pDocument, options);
    while (list.IsRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return list.Findings().size();
}

void BM_CheckEntries(benchmark::State& state) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    ProblemsList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCheck(list, {}));
    state.counters["findings"] = double(list.Findings().size());
}
BENCHMARK(BM_CheckEntries)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyForCheck(benchmark::State& state) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        TextResourceObject copy = g_pDocument->m_textResources;
        benchmark::DoNotOptimize(copy.GetEntryCount());
    }
}
BENCHMARK(BM_CopyForCheck)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_CheckWithRecordings(benchmark::State& state) {
    const QByteArray folder = qgetenv("LEXARIUM_BENCH_RECORDINGS");
    if (folder.isEmpty()) {
        state.SkipWithError("LEXARIUM_BENCH_RECORDINGS names no folder of recordings");
        return;
    }
    Load(static_cast<std::uint32_t>(state.range(0)));
    check::CheckOptions options;
    options.audioFolder = folder.toStdString();
    ProblemsList list;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCheck(list, options));
    state.counters["findings"] = double(list.Findings().size());
}
BENCHMARK(BM_CheckWithRecordings)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

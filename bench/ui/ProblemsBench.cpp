// The problems list's check over large files, offscreen: from the command to
// the findings in the list, with the longest time the user-interface thread
// spent away from its events (the longest the window could not answer), and
// the check with a folder of recordings. The folder is made once with
//     lexarium_bench_recordings 100000 FOLDER
// and named in LEXARIUM_BENCH_RECORDINGS; without it that benchmark is skipped.

#include "LexariumDoc.h"
#include "ProblemsList.h"
#include "testdata/TestData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// The ticker that measures how long the window could not answer; finer
// ticks cost the check time of their own.
constexpr int kTickMs = 4;

void Load(std::uint32_t count) {
    if (g_pDocument->m_textResources.GetEntryCount() != count)
        g_pDocument->m_textResources = testdata::MakeTypicalCollection(count);
}

// Keeps in `longest` the longest gap in milliseconds between two ticks of a
// 4 ms timer while it lives.
class GapMeter {
public:
    explicit GapMeter(double& longest) : m_longest(longest) {
        m_ticker.setTimerType(Qt::PreciseTimer);
        m_ticker.setInterval(kTickMs);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, double(m_since.nsecsElapsed()) / 1e6);
            m_since.start();
        });
        m_since.start();
        m_ticker.start();
    }

private:
    double& m_longest;
    QElapsedTimer m_since;
    QTimer m_ticker;
};

// Runs one check of the document to its end, as the window does; `longest`
// is the longest gap in milliseconds between two ticks of a 4 ms timer, that
// is, the longest the window could not have answered.
std::size_t RunCheck(ProblemsList& list, const check::CheckOptions& options, double& longest) {
    const GapMeter meter(longest);
    list.Check(*g_pDocument, options);
    while (list.IsRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return list.Findings().size();
}

// The same ticker over an idle event loop for a second: the gaps that the
// machine alone makes, for comparison.
void BM_IdleEventLoop(benchmark::State& state) {
    double longest = 0;
    for (auto _ : state) {
        const GapMeter meter(longest);
        QElapsedTimer total;
        total.start();
        while (total.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.counters["longest_ui_ms"] = longest;
}
BENCHMARK(BM_IdleEventLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_CheckEntries(benchmark::State& state) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    ProblemsList list;
    double longest = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCheck(list, {}, longest));
    state.counters["findings"] = double(list.Findings().size());
    state.counters["longest_ui_ms"] = longest;
}
BENCHMARK(BM_CheckEntries)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    double longest = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCheck(list, options, longest));
    state.counters["findings"] = double(list.Findings().size());
    state.counters["longest_ui_ms"] = longest;
}
BENCHMARK(BM_CheckWithRecordings)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

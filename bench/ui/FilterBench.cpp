// The tree's filter over a large file, offscreen: a keystroke that changes the
// query (search, model reset, selection kept), for a common word, a rare one
// and a speaker; the first keystroke, which copies the fields for the thread
// that folds them (all the window waits for); and that build until the
// filtered tree is shown.

#include "EntryTree.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "testdata/TestData.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

CLexariumView& View() {
    return *dynamic_cast<CLexariumView*>(g_pTreeView);
}

void Load(std::uint32_t count) {
    if (g_pDocument->m_textResources.GetEntryCount() == count)
        return;
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pDocument->m_textResources = testdata::MakeTypicalCollection(count);
    g_pTreeView->m_pCurrentEntry = g_pDocument->m_textResources.GetEntry(count / 2);
    View().OnInitialUpdate();
}

// Lets the folded text come back from its thread and the filter apply.
void WaitForFilter() {
    while (View().IsPreparingFilter())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Alternates between two texts, so every keystroke is a new query.
void Keystrokes(benchmark::State& state, const char* first, const char* second) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    QLineEdit* field = View().FilterField();
    field->setText(QString::fromUtf8(first));
    View().ApplyFilter(); // the folded text is built here, before timing
    WaitForFilter();
    bool flip = false;
    for (auto _ : state) {
        field->setText(QString::fromUtf8(flip ? first : second));
        View().ApplyFilter();
        flip = !flip;
    }
    state.counters["rows"] = View().GetModel().rowCount(View().GetModel().RootIndex());
    field->clear();
    View().ApplyFilter();
}

void BM_FilterKeystrokeCommonWord(benchmark::State& state) {
    Keystrokes(state, "the", "the ");
}
void BM_FilterKeystrokeRareWord(benchmark::State& state) {
    Keystrokes(state, "dialog_0004242", "dialog_00042424");
}
void BM_FilterKeystrokeSpeakerAndWord(benchmark::State& state) {
    Keystrokes(state, "speaker:kommandant", "speaker:kommandant br\u00FCcke");
}
// The key that starts the build: the time the window does not answer.
void BM_FilterFirstKeystroke(benchmark::State& state) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    QLineEdit* field = View().FilterField();
    for (auto _ : state) {
        state.PauseTiming();
        View().OnInitialUpdate(); // forgets the folded text
        state.ResumeTiming();
        field->setText(QStringLiteral("gate"));
        state.PauseTiming();
        WaitForFilter();
        field->clear();
        View().ApplyFilter();
        state.ResumeTiming();
    }
}

// From the first key until the filtered tree is shown.
void BM_FilterIndexBuild(benchmark::State& state) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    QLineEdit* field = View().FilterField();
    for (auto _ : state) {
        state.PauseTiming();
        View().OnInitialUpdate();
        state.ResumeTiming();
        field->setText(QStringLiteral("gate"));
        WaitForFilter();
        state.PauseTiming();
        field->clear();
        View().ApplyFilter();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_FilterKeystrokeCommonWord)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeystrokeRareWord)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterKeystrokeSpeakerAndWord)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterFirstKeystroke)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterIndexBuild)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

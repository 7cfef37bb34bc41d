// The tree's filter over a large file, offscreen: a keystroke that changes the
// query (search, model reset, selection kept), for a common word, a rare one
// and a speaker; and the first keystroke, which folds every entry once.

#include "EntryTree.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "testdata/TestData.h"

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

// Alternates between two texts, so every keystroke is a new query.
void Keystrokes(benchmark::State& state, const char* first, const char* second) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    QLineEdit* field = View().FilterField();
    field->setText(QString::fromUtf8(first));
    View().ApplyFilter(); // the folded text is built here, before timing
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
void BM_FilterFirstKeystroke(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    Load(count);
    QLineEdit* field = View().FilterField();
    for (auto _ : state) {
        state.PauseTiming();
        View().OnInitialUpdate(); // forgets the folded text
        field->setText(QStringLiteral("gate"));
        state.ResumeTiming();
        View().ApplyFilter();
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

// The entry tree and the editor form on large files, offscreen: a rebuild with
// the current entry selected, a new entry at the end, a keystroke in the text.

#include "EntryTree.h"
#include "FormControls.h"
#include "LexariumApp.h"
#include "LexariumDoc.h"
#include "LexariumView_Text.h"
#include "testdata/TestData.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

void Load(std::uint32_t count) {
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pDocument->m_textResources = testdata::MakeTypicalCollection(count);
    g_pTreeView->m_pCurrentEntry = g_pDocument->m_textResources.GetEntry(count / 2);
    g_pTreeView->RebuildTree();
}

void BM_RebuildTree(benchmark::State& state) {
    Load(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state)
        g_pTreeView->RebuildTree();
}
BENCHMARK(BM_RebuildTree)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_NewEntryAtTheEnd(benchmark::State& state) {
    Load(100000);
    for (auto _ : state)
        g_pDocument->OnNewEntry();
}
BENCHMARK(BM_NewEntryAtTheEnd)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInText(benchmark::State& state) {
    Load(100000);
    auto* text = qobject_cast<QPlainTextEdit*>(g_pTextView->GetDlgItem(IDC_TEXT));
    text->setFocus();
    for (auto _ : state)
        QTest::keyClick(text, Qt::Key_A);
}
BENCHMARK(BM_KeystrokeInText)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    CLexariumApp app;
    app.InitApplication({});
    if (!app.InitInstance())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

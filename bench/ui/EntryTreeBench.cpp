// The entry tree and the editor form on large files, offscreen: a rebuild with
// the current entry selected, a new entry at the end, a keystroke in the text,
// and the memory the tree itself takes per entry.

#include "EntryTree.h"
#include "FormControls.h"
#include "LexariumDoc.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"
#include "testdata/TestData.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace {

void Load(std::uint32_t count) {
    g_pTreeView->m_pCurrentEntry = nullptr;
    g_pDocument->m_textResources = testdata::MakeTypicalCollection(count);
    g_pTreeView->m_pCurrentEntry = g_pDocument->m_textResources.GetEntry(count / 2);
    g_pTreeView->RebuildTree();
}

// Memory the tree (model and view) takes for its entries, measured around the
// first rebuild over them, before any other benchmark has grown the view's
// buffers; the collection itself is loaded before the measurement. "heap" is
// what was allocated, "resident" what the process holds in memory: the view's
// list of rows grows its capacity in large steps ahead of need (up to about
// twice the rows), and the part never written stays address space only.
std::size_t ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

void BM_TreeMemoryPerEntry(benchmark::State& state) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    auto* view = dynamic_cast<CLexariumView*>(g_pTreeView);
    QTreeView& tree = view->GetTreeCtrl();
    for (auto _ : state) {
        g_pTreeView->m_pCurrentEntry = nullptr;
        g_pDocument->m_textResources = testdata::MakeTypicalCollection(count);
        QCoreApplication::processEvents(); // the window's first paint is not the tree's
        malloc_trim(0); // returns the pages freed while loading, so new ones count
        const std::size_t heapBefore = mallinfo2().uordblks;
        const std::size_t residentBefore = ResidentBytes();
        g_pTreeView->RebuildTree();
        tree.scrollTo(view->GetModel().EntryIndex(count - 1)); // lays out every row
        QCoreApplication::processEvents();
        const std::size_t heapAfter = mallinfo2().uordblks;
        const std::size_t residentAfter = ResidentBytes();
        const auto perEntry = [count](std::size_t before, std::size_t after) {
            return static_cast<double>(after > before ? after - before : 0) / count;
        };
        state.counters["heap_per_entry"] = perEntry(heapBefore, heapAfter);
        state.counters["resident_per_entry"] = perEntry(residentBefore, residentAfter);
    }
}
BENCHMARK(BM_TreeMemoryPerEntry)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

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

// A keystroke at the end of a text of 100,000 characters in 2,000 lines: the
// field maps the cursor's position to the stored text and the entry is stored anew.
void BM_KeystrokeAtTheEndOfALongText(benchmark::State& state) {
    Load(1000);
    std::string line = std::string(48, 'x') + "\r\n";
    std::string longText;
    for (int i = 0; i < 2000; ++i)
        longText += line;
    g_pTreeView->m_pCurrentEntry->text = longText;
    g_pTextView->FillFromEntry();
    auto* text = qobject_cast<QPlainTextEdit*>(g_pTextView->GetDlgItem(IDC_TEXT));
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QTest::keyClick(text, Qt::Key_A);
        QTest::keyClick(text, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_KeystrokeAtTheEndOfALongText)->Unit(benchmark::kMicrosecond);

} // namespace

// Replace all over a large file: the plan (every match found, every change
// listed for the preview) and its application, as the dialog runs them.
#include "document/FindPattern.h"
#include "document/ReplacePlan.h"
#include "testdata/TestData.h"

#include <benchmark/benchmark.h>

namespace {

const TextResourceObject& Original(std::uint32_t count) {
    static TextResourceObject entries;
    if (entries.GetEntryCount() != count)
        entries = testdata::MakeTypicalCollection(count);
    return entries;
}

void ReplaceAll(benchmark::State& state, FindOptions options, ReplaceScope scope) {
    const auto count = static_cast<std::uint32_t>(state.range(0));
    std::size_t changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TextResourceObject entries = Original(count);
        state.ResumeTiming();
        const FindPattern pattern(options);
        const ReplacePlan plan = PlanReplaceAll(entries, pattern, scope);
        ApplyReplacePlan(entries, plan);
        changes = plan.changes.size();
        state.PauseTiming();
        entries = TextResourceObject(); // freeing is not part of the command
        state.ResumeTiming();
    }
    state.counters["changes"] = static_cast<double>(changes);
    state.SetItemsProcessed(state.iterations() * count);
}

// A word in two of the five kinds of text, letter case ignored.
void BM_ReplaceAllTextWord(benchmark::State& state) {
    ReplaceAll(state, {"gate", "door", false, false, false}, ReplaceScope::Text);
}
// The same in every field, whole words only.
void BM_ReplaceAllFieldsWholeWord(benchmark::State& state) {
    ReplaceAll(state, {"gate", "door", false, true, false}, ReplaceScope::All);
}
// A word with an umlaut, case matched, in the text.
void BM_ReplaceAllNonAscii(benchmark::State& state) {
    ReplaceAll(state, {"Br\u00FCcke", "Furt", true, false, false}, ReplaceScope::Text);
}
// The same letting case go: the text's ASCII part is the quick test.
void BM_ReplaceAllNonAsciiIgnoringCase(benchmark::State& state) {
    ReplaceAll(state, {"BR\u00DCCKE", "Furt", false, false, false}, ReplaceScope::Text);
}
// A regular expression over every text: no quick test can skip a field.
void BM_ReplaceAllRegex(benchmark::State& state) {
    ReplaceAll(state, {"\\bgate\\b", "door", false, false, true}, ReplaceScope::Text);
}
// Every identifier renamed: the uniqueness rule is checked a million times.
void BM_ReplaceAllIdentifiers(benchmark::State& state) {
    ReplaceAll(state, {"_DIALOG_", "_LINE_", true, false, false}, ReplaceScope::Identifier);
}

} // namespace

BENCHMARK(BM_ReplaceAllTextWord)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllFieldsWholeWord)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllNonAscii)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllNonAsciiIgnoringCase)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllRegex)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllIdentifiers)->Arg(1000000)->Unit(benchmark::kMillisecond);
